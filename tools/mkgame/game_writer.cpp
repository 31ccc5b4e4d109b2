#include "mkgame/game_writer.h"

#include "mkgame/code_chunks.h"
#include "mkgame/file_builder.h"
#include "mkgame/resource_chunks.h"
#include "mkgame/texture_pages.h"
#include "script/events/event.h"

namespace mkgame {

namespace {

uint32_t GameId(const std::string& name) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
  return hash & 0x7FFFFFFFu;
}

uint32_t ColourWithAlpha(uint32_t colour, double alpha) {
  auto a = static_cast<uint32_t>(alpha * 255.0 + 0.5);
  return (colour & 0xFFFFFF) | (a << 24);
}

class Writer {
 public:
  Writer(const Game& game, const CompiledGame* compiled, const TextureAtlas& atlas, FileBuilder& out)
      : game_(game), compiled_(compiled), atlas_(atlas), out_(out) {}

  void Write() {
    out_.Raw("FORM", 4);
    out_.U32(0);
    Header();
    Options();
    ResourceChunks_Extensions(out_, game_);
    ResourceChunks_Sounds(out_, game_);
    ResourceChunks_Audio(out_, game_);
    out_.WriteStrings();
    std::vector<FileBuilder::Label> pages = ResourceChunks_TexturePages(out_, game_, atlas_);
    ResourceChunks_Textures(out_, atlas_);
    ResourceChunks_Sprites(out_, game_, pages);
    ResourceChunks_Backgrounds(out_, game_, pages);
    ResourceChunks_Paths(out_, game_);
    Scripts();
    ResourceChunks_Fonts(out_, game_, pages);
    TimeLines();
    Objects();
    if (compiled_ != nullptr) CodeChunks_Write(out_, *compiled_);
    Rooms();
    ResourceChunks_IncludedFiles(out_, game_);
    out_.Finish();
  }

 private:
  void RoomOrder() {
    out_.U32(static_cast<uint32_t>(game_.rooms.size()));
    for (size_t i = 0; i < game_.rooms.size(); ++i) out_.U32(static_cast<uint32_t>(i));
  }

  void Header() {
    size_t chunk = out_.BeginChunk("GEN8");
    size_t base = out_.Position();
    auto pad_to = [&](size_t offset) { out_.Zeros(base + offset - out_.Position()); };
    out_.U32(1u | (static_cast<uint32_t>(game_.format & 0xFF) << 8));
    out_.TextOffset(game_.name);
    out_.TextOffset(game_.config);
    out_.I32(game_.lastInstanceId);
    out_.I32(game_.lastTileId);
    out_.U32(GameId(game_.name));
    out_.Zeros(12);  // 16 bytes at 24 end at 40; 36 holds the old room order
    if (game_.format <= 7) {
      RoomOrder();
      return out_.EndChunk(chunk);
    }
    out_.U32(0);
    out_.TextOffset(game_.name);
    pad_to(60);
    out_.I32(game_.windowWidth);
    out_.I32(game_.windowHeight);
    out_.U32(game_.windowFlags);
    pad_to(100);
    // Format 10 keeps a text at 100 and moves the room order to 104.
    if (game_.format == 10) out_.TextOffset(game_.name);
    RoomOrder();
    out_.EndChunk(chunk);
  }

  void Options() {
    size_t chunk = out_.BeginChunk("OPTN");
    for (uint32_t word : game_.options) out_.U32(word);
    out_.U32(static_cast<uint32_t>(game_.constants.size()));
    for (const auto& [name, value] : game_.constants) {
      out_.TextOffsetOrZero(name);
      out_.TextOffset(value);
    }
    out_.EndChunk(chunk);
  }

  template <typename List, typename WriteItem>
  void Table(const List& items, WriteItem writeItem) {
    out_.Table(items, writeItem);
  }

  // Indices 0, 1, ... of a list, for tables that need the item's place.
  static std::vector<size_t> Indices(size_t count) {
    std::vector<size_t> indices(count);
    for (size_t i = 0; i < count; ++i) indices[i] = i;
    return indices;
  }

  void Scripts() {
    size_t chunk = out_.BeginChunk("SCPT");
    Table(Indices(game_.scripts.size()), [&](size_t i) {
      out_.TextOffset(game_.scripts[i].first);
      if (compiled_ != nullptr) {
        out_.I32(compiled_->scripts[i]);
      } else {
        out_.TextOffset(game_.scripts[i].second);
      }
    });
    out_.EndChunk(chunk);
  }

  // Event record {unused; action} followed by its action record, which
  // holds the code index at 32 with compiled code and the text at 60 without.
  void EventRecord(const std::string& code, int32_t codeIndex) {
    FileBuilder::Label action = out_.NewLabel();
    out_.U32(0);
    out_.OffsetTo(action);
    out_.Bind(action);
    out_.Zeros(32);
    out_.I32(compiled_ != nullptr ? codeIndex : 0);
    out_.Zeros(60 - 36);
    if (compiled_ != nullptr) {
      out_.U32(0);
    } else {
      out_.TextOffset(code);
    }
  }

  // A room's or instance's creation code: a code index (-1 none) or a text.
  void CreationCode(const std::string& code, int32_t codeIndex) {
    if (compiled_ != nullptr) {
      out_.I32(codeIndex);
    } else {
      out_.TextOffsetOrZero(code);
    }
  }

  void TimeLines() {
    size_t chunk = out_.BeginChunk("TMLN");
    Table(game_.timelines, [&](const TimeLine& t) {
      out_.TextOffset(t.name);
      out_.U32(static_cast<uint32_t>(t.moments.size()));
      std::vector<FileBuilder::Label> events;
      for (const Moment& m : t.moments) {
        out_.U32(static_cast<uint32_t>(m.step));
        events.push_back(out_.NewLabel());
        out_.OffsetTo(events.back());
      }
      size_t line = static_cast<size_t>(&t - game_.timelines.data());
      for (size_t i = 0; i < t.moments.size(); ++i) {
        out_.Bind(events[i]);
        EventRecord(t.moments[i].code, compiled_ != nullptr ? compiled_->moments[line][i] : -1);
      }
    });
    out_.EndChunk(chunk);
  }

  void ObjectPhysics(const Object& o) {
    const PhysicsShape& p = o.physics;
    out_.U32(o.usesPhysics ? 1 : 0);
    out_.U32(p.sensor ? 1 : 0);
    out_.I32(p.shape);
    out_.F32(p.density);
    out_.F32(p.restitution);
    out_.I32(p.group);
    out_.F32(p.linearDamping);
    out_.F32(p.angularDamping);
    out_.U32(static_cast<uint32_t>(p.points.size()));
    if (game_.format >= 9) {
      out_.F32(p.friction);
      out_.U32(p.awake ? 1 : 0);
      out_.U32(p.kinematic ? 1 : 0);
    }
    for (const auto& [x, y] : p.points) {
      out_.F32(x);
      out_.F32(y);
    }
  }

  void ObjectEvents(const Object& o) {
    out_.U32(kEventTypeSlots);
    std::vector<FileBuilder::Label> lists;
    for (int t = 0; t < kEventTypeSlots; ++t) {
      lists.push_back(out_.NewLabel());
      out_.OffsetTo(lists.back());
    }
    for (int t = 0; t < kEventTypeSlots; ++t) {
      out_.Bind(lists[t]);
      size_t object = static_cast<size_t>(&o - game_.objects.data());
      std::vector<size_t> ofType;
      for (size_t e = 0; e < o.events.size(); ++e) {
        if (o.events[e].type == t) ofType.push_back(e);
      }
      Table(ofType, [&](size_t e) {
        out_.U32(static_cast<uint32_t>(o.events[e].number));
        EventRecord(o.events[e].code, compiled_ != nullptr ? compiled_->events[object][e] : -1);
      });
    }
  }

  void Objects() {
    size_t chunk = out_.BeginChunk("OBJT");
    Table(game_.objects, [&](const Object& o) {
      out_.TextOffset(o.name);
      out_.I32(o.sprite);
      out_.U32(o.visible ? 1 : 0);
      out_.U32(o.solid ? 1 : 0);
      out_.I32(o.depth);
      out_.U32(o.persistent ? 1 : 0);
      out_.I32(o.parent);
      out_.I32(o.mask);
      if (game_.format >= 6) ObjectPhysics(o);
      ObjectEvents(o);
    });
    out_.EndChunk(chunk);
  }

  template <typename Item, typename WriteItem>
  void FixedList(const std::vector<Item>& items, size_t count, WriteItem writeItem) {
    std::vector<Item> padded = items;
    padded.resize(std::max(count, items.size()));
    Table(padded, writeItem);
  }

  void Room(const mkgame::Room& r) {
    size_t room = static_cast<size_t>(&r - game_.rooms.data());
    out_.TextOffset(r.name);
    out_.TextOffset(r.caption);
    out_.I32(r.width);
    out_.I32(r.height);
    out_.I32(r.speed);
    out_.U32(r.persistent ? 1 : 0);
    out_.U32(r.colour);
    out_.U32(r.showColour ? 1 : 0);
    CreationCode(r.code, compiled_ != nullptr ? compiled_->rooms[room] : -1);
    out_.U32(r.viewsEnabled ? 1 : 0);
    FileBuilder::Label lists[4];
    for (auto& label : lists) {
      label = out_.NewLabel();
      out_.OffsetTo(label);
    }
    out_.U32(r.physics ? 1 : 0);
    out_.I32(0);
    out_.I32(0);
    out_.I32(r.width);
    out_.I32(r.height);
    out_.F32(r.gravityX);
    out_.F32(r.gravityY);
    out_.F32(r.metresPerPixel);
    out_.Bind(lists[0]);
    FixedList(r.backgrounds, 8, [&](const RoomBackground& b) {
      for (int v : {int(b.visible), int(b.foreground), b.background, b.x, b.y, int(b.tileH), int(b.tileV), b.hspeed,
                    b.vspeed, int(b.stretch)}) {
        out_.I32(v);
      }
    });
    out_.Bind(lists[1]);
    FixedList(r.views, 8, [&](const RoomView& v) {
      out_.I32(v.visible ? 1 : 0);
      for (int x : v.view) out_.I32(x);
      for (int x : v.port) out_.I32(x);
      for (int x : {v.borderH, v.borderV, v.speedH, v.speedV, v.follow}) out_.I32(x);
    });
    out_.Bind(lists[2]);
    Table(Indices(r.instances.size()), [&](size_t n) {
      const RoomInstance& i = r.instances[n];
      out_.I32(i.x);
      out_.I32(i.y);
      out_.I32(i.object);
      out_.I32(i.id);
      CreationCode(i.code, compiled_ != nullptr ? compiled_->instances[room][n] : -1);
      out_.F32(i.xscale);
      out_.F32(i.yscale);
      out_.U32(ColourWithAlpha(i.colour, i.alpha));
      out_.F32(i.angle);
    });
    out_.Bind(lists[3]);
    Table(r.tiles, [&](const RoomTile& t) {
      for (int v : {t.x, t.y, t.background, t.source[0], t.source[1], t.source[2], t.source[3], t.depth, t.id}) {
        out_.I32(v);
      }
      out_.F32(t.xscale);
      out_.F32(t.yscale);
      out_.U32(ColourWithAlpha(t.colour, t.alpha));
    });
  }

  void Rooms() {
    size_t chunk = out_.BeginChunk("ROOM");
    Table(game_.rooms, [&](const mkgame::Room& r) { Room(r); });
    out_.EndChunk(chunk);
  }

  const Game& game_;
  const CompiledGame* compiled_;
  const TextureAtlas& atlas_;
  FileBuilder& out_;
};

}  // namespace

std::vector<uint8_t> GameWriter_Write(const Game& game, const CompiledGame* compiled) {
  TextureAtlas atlas = TexturePages_Pack(game.images);
  FileBuilder collect;
  Writer(game, compiled, atlas, collect).Write();
  FileBuilder out(collect.Texts());
  Writer(game, compiled, atlas, out).Write();
  return out.Bytes();
}

}  // namespace mkgame
