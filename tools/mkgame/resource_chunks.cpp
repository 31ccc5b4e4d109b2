#include "mkgame/resource_chunks.h"

namespace mkgame {

namespace {

using Label = FileBuilder::Label;

// A chunk whose body is a table of `items`, each written by `writeItem`.
template <typename List, typename WriteItem>
void TableChunk(FileBuilder& out, const char id[4], const List& items, WriteItem writeItem) {
  size_t chunk = out.BeginChunk(id);
  out.Table(items, writeItem);
  out.EndChunk(chunk);
}

void I16s(FileBuilder& out, std::initializer_list<int> values) {
  for (int v : values) out.U16(static_cast<uint16_t>(v));
}

}  // namespace

// Images are stored whole (never trimmed): the stored part starts at 0, 0
// and has the image's own size.
std::vector<Label> ResourceChunks_TexturePages(FileBuilder& out, const Game& game, const TextureAtlas& atlas) {
  size_t chunk = out.BeginChunk("TPAG");
  std::vector<Label> labels = out.OffsetTable(game.images.size());
  for (size_t i = 0; i < game.images.size(); ++i) {
    const Image& image = game.images[i];
    const Placement& p = atlas.placements[i];
    out.Bind(labels[i]);
    I16s(out,
         {p.x, p.y, image.width, image.height, 0, 0, image.width, image.height, image.width, image.height, p.page});
  }
  out.EndChunk(chunk);
  return labels;
}

void ResourceChunks_Textures(FileBuilder& out, const TextureAtlas& atlas) {
  size_t chunk = out.BeginChunk("TXTR");
  std::vector<Label> entries = out.OffsetTable(atlas.pngPages.size());
  std::vector<Label> data;
  for (size_t i = 0; i < atlas.pngPages.size(); ++i) {
    out.Bind(entries[i]);
    out.U32(0);
    data.push_back(out.NewLabel());
    out.OffsetTo(data.back());
  }
  for (size_t i = 0; i < atlas.pngPages.size(); ++i) {
    out.Bind(data[i]);
    out.Raw(atlas.pngPages[i].data(), atlas.pngPages[i].size());
  }
  out.EndChunk(chunk);
}

void ResourceChunks_Sprites(FileBuilder& out, const Game& game, const std::vector<Label>& pages) {
  TableChunk(out, "SPRT", game.sprites, [&](const Sprite& s) {
    out.TextOffset(s.name);
    for (int v : {s.width, s.height, s.bboxLeft, s.bboxRight, s.bboxBottom, s.bboxTop}) out.I32(v);
    for (bool flag : {s.transparent, s.smooth, s.preload}) out.U32(flag ? 1 : 0);
    out.I32(s.bboxMode);
    out.U32(s.precise ? 1 : 0);
    out.I32(s.xorigin);
    out.I32(s.yorigin);
    out.U32(static_cast<uint32_t>(s.frames.size()));
    for (int frame : s.frames) out.OffsetTo(pages[frame]);
    out.I32(static_cast<int32_t>(s.masks.size()));
    for (const std::vector<uint8_t>& mask : s.masks) out.Raw(mask.data(), mask.size());
  });
}

void ResourceChunks_Backgrounds(FileBuilder& out, const Game& game, const std::vector<Label>& pages) {
  TableChunk(out, "BGND", game.backgrounds, [&](const Background& b) {
    out.TextOffset(b.name);
    for (bool flag : {b.transparent, b.smooth, b.preload}) out.U32(flag ? 1 : 0);
    out.OffsetTo(pages[b.image]);
  });
}

void ResourceChunks_Paths(FileBuilder& out, const Game& game) {
  TableChunk(out, "PATH", game.paths, [&](const Path& p) {
    out.TextOffset(p.name);
    out.I32(p.kind);
    out.U32(p.closed ? 1 : 0);
    out.I32(p.precision);
    out.U32(static_cast<uint32_t>(p.points.size()));
    for (const PathPoint& point : p.points) {
      out.F32(point.x);
      out.F32(point.y);
      out.F32(point.speed);
    }
  });
}

namespace {

constexpr uint32_t kFontAntialias = 3;

void FontRecord(FileBuilder& out, const Font& f, Label page) {
  out.TextOffset(f.name);
  out.TextOffset(f.face);
  out.I32(f.size);
  out.U32(f.bold ? 1 : 0);
  out.U32(f.italic ? 1 : 0);
  // First character, charset 0 (keeps the player's own), antialias stored plus one.
  out.U32(static_cast<uint32_t>(f.first & 0xFFFF) | ((kFontAntialias + 1) << 24));
  out.I32(f.last);
  out.OffsetTo(page);
  out.F32(1.0f);
  out.F32(1.0f);
  out.Table(f.glyphs, [&](const Glyph& g) { I16s(out, {g.code, g.x, g.y, g.width, g.height, g.shift, g.offset}); });
}

}  // namespace

void ResourceChunks_Fonts(FileBuilder& out, const Game& game, const std::vector<Label>& pages) {
  size_t chunk = out.BeginChunk("FONT");
  out.Table(game.fonts, [&](const Font& f) { FontRecord(out, f, pages[f.image]); });
  // The character table sprite fonts draw their codes from: code i is i.
  for (int code = 0; code < 256; ++code) out.U16(static_cast<uint16_t>(code));
  out.EndChunk(chunk);
}

void ResourceChunks_Sounds(FileBuilder& out, const Game& game) {
  TableChunk(out, "SOND", game.sounds, [&](const Sound& s) {
    out.TextOffset(s.name);
    out.I32(s.kind);
    out.TextOffset(s.type);
    out.TextOffset(s.fileName);
    out.I32(0);  // effects
    out.F32(s.volume);
    out.F32(s.pan);
    out.U32(s.preload ? 1 : 0);
    out.I32(s.audio);
  });
}

void ResourceChunks_Audio(FileBuilder& out, const Game& game) {
  TableChunk(out, "AUDO", game.audio, [&](const std::vector<uint8_t>& wave) {
    out.U32(static_cast<uint32_t>(wave.size()));
    out.Raw(wave.data(), wave.size());
  });
}

void ResourceChunks_Extensions(FileBuilder& out, const Game& game) {
  TableChunk(out, "EXTN", game.extensions, [&](const ExtensionPackage& package) {
    out.TextOffset(package.folder);
    out.TextOffset(package.name);
    out.Table(package.files, [&](const ExtensionFile& file) {
      out.TextOffset(file.fileName);
      out.TextOffset(file.finalName);
      out.TextOffset(file.initName);
      out.I32(file.kind);
      out.Table(file.functions, [&](const ExtensionFunction& f) {
        out.TextOffset(f.name);
        out.I32(f.id);
        out.I32(f.convention);
        out.I32(f.resultKind);
        out.TextOffset(f.externalName);
        out.U32(static_cast<uint32_t>(f.argKinds.size()));
        for (int kind : f.argKinds) out.I32(kind);
      });
    });
  });
}

// Included files: {u32 name offset; u32 byte count; the bytes}.
void ResourceChunks_IncludedFiles(FileBuilder& out, const Game& game) {
  TableChunk(out, "DAFL", game.files, [&](const IncludedFile& file) {
    out.TextOffset(file.name);
    out.U32(static_cast<uint32_t>(file.bytes.size()));
    out.Raw(file.bytes.data(), file.bytes.size());
  });
}

}  // namespace mkgame
