#include "resources/texture_pages.h"

#include <map>

#include "graphics/texture/texture_table.h"
#include "runtime/load_error.h"

namespace {

std::map<uint32_t, int32_t> g_byOffset;
bool g_pagesRead = false;

PageTextureCreator g_creator = GR_Texture_Load_From_Memory;

}  // namespace

void TexturePage_SetTextureCreator(PageTextureCreator creator) {
  g_creator = creator == nullptr ? GR_Texture_Load_From_Memory : creator;
}

void TexturePage_Clear() {
  g_texturePages.clear();
  g_texturePageIds.clear();
  g_byOffset.clear();
  g_pagesRead = false;
}

int32_t TexturePage_IndexOfOffset(uint32_t fileOffset) {
  auto it = g_byOffset.find(fileOffset);
  return it == g_byOffset.end() ? -1 : it->second;
}

TexturePage* TexturePage_AtOffset(uint32_t fileOffset) {
  int32_t index = TexturePage_IndexOfOffset(fileOffset);
  return index < 0 ? nullptr : &g_texturePages[static_cast<size_t>(index)];
}

bool TexturePage_Load(const GameImage& image, uint64_t data, uint32_t size) {
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("TPAG", "the record count runs past the chunk");
  g_texturePages.assign(offsets.size(), TexturePage());
  g_byOffset.clear();
  for (size_t i = 0; i < offsets.size(); ++i) {
    ImageReader record = ImageReader::AtOffset(image, offsets[i]);
    TexturePage& p = g_texturePages[i];
    int16_t* fields[] = {&p.x,         &p.y,          &p.width,     &p.height,     &p.xOffset, &p.yOffset,
                         &p.cropWidth, &p.cropHeight, &p.fullWidth, &p.fullHeight, &p.page};
    for (int16_t* field : fields) *field = record.I16();
    if (offsets[i] == 0 || record.Failed()) return LoadError_Report("TPAG", "record %zu lies outside the file", i);
    g_byOffset.emplace(offsets[i], static_cast<int32_t>(i));
  }
  g_pagesRead = true;
  return true;
}

bool TXTR_Load(const GameImage& image, uint64_t data, uint32_t size) {
  if (!g_pagesRead) return LoadError_Report("TXTR", "the texture pages come before their records");
  ImageReader r(image, data, data + size);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("TXTR", "the page count runs past the chunk");
  g_texturePageIds.assign(offsets.size(), -1);
  for (size_t i = 0; i < offsets.size(); ++i) {
    ImageReader entry = ImageReader::AtOffset(image, offsets[i]);
    entry.U32();
    uint32_t imageAt = entry.U32();
    if (offsets[i] == 0 || entry.Failed() || imageAt == 0 || imageAt >= image.Size()) {
      return LoadError_Report("TXTR", "page %zu lies outside the file", i);
    }
    // The image may use every byte left in the file, and no more.
    g_texturePageIds[i] = g_creator(image.Data() + imageAt, image.Size() - imageAt);
  }
  for (size_t i = 0; i < g_texturePages.size(); ++i) {
    TexturePage& p = g_texturePages[i];
    if (p.page < 0 || static_cast<size_t>(p.page) >= g_texturePageIds.size()) {
      return LoadError_Report("TPAG", "record %zu names page %d of %zu", i, p.page, g_texturePageIds.size());
    }
    p.page = static_cast<int16_t>(g_texturePageIds[static_cast<size_t>(p.page)] & 0xFFFF);
  }
  return true;
}
