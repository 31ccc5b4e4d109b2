// The font store: a count and a capacity of slots, each an object and an
// owned name, and the character table kept from the end of the FONT chunk.
#include <cstring>
#include <vector>

#include "resources/font.h"
#include "resources/font_rasterise.h"
#include "resources/resource_names.h"
#include "resources/sprite.h"
#include "runtime/containers.h"
#include "runtime/load_error.h"
#include "runtime/utf8.h"

namespace {

constexpr uint32_t kCodeTableBytes = 512;

cARRAY_STRUCTURE<CFontGM*> g_fonts;  // length is the capacity
cARRAY_MEMORY<char> g_fontNames;
int32_t g_fontCount = 0;
uint16_t g_codeTable[256];

int32_t AppendSlot(CFontGM* font) {
  if (g_fontCount == g_fonts.length) {
    g_fonts.SetLength(g_fontCount + 5);
    g_fontNames.SetLength(g_fontCount + 5);
  }
  int32_t index = g_fontCount++;
  g_fonts[index] = font;
  g_fontNames[index] = Resource_NewName("__newfont", index);
  return index;
}

bool InRange(int32_t index) { return index >= 0 && index < g_fontCount; }

void Take(int32_t index, CFontGM* font) {
  delete g_fonts[index];
  g_fonts[index] = font;
  if (g_fontNames[index] == nullptr) g_fontNames[index] = Resource_NewName("__newfont", index);
}

CFontGM* MakeSystem(const char* face, int32_t size, bool bold, bool italic, int32_t first, int32_t last) {
  auto* font = new CFontGM();
  font->MakeSystem(face, size, bold, italic, first, last);
  Font_RasteriseSystem(font);
  font->MakeTexture();
  return font;
}

void SpriteFrameBox(const void* context, int32_t frame, int32_t* left, int32_t* right) {
  SpriteBox* box = static_cast<const CSprite*>(context)->FrameBox(frame);
  if (box == nullptr) return;
  *left = box->left;
  *right = box->right;
  delete box;
}

SpriteFontSource SourceOf(int32_t sprite) {
  const CSprite* s = Sprite_Get(sprite);
  if (s == nullptr) return SpriteFontSource{-1, 0, 0, nullptr, nullptr};
  return SpriteFontSource{s->frameCount, s->width, s->height, SpriteFrameBox, s};
}

char* CodeTableCharacters(int32_t sprite, int32_t first) {
  const CSprite* s = Sprite_Get(sprite);
  return Font_SpriteCharacters(first, s != nullptr ? s->frameCount : 0);
}

}  // namespace

void Font_Init() {
  Font_Shutdown();
  std::memset(g_codeTable, 0, sizeof g_codeTable);
}

bool Font_Load(const GameImage& image, uint64_t data, uint32_t size) {
  Font_Init();
  if (size < kCodeTableBytes) return LoadError_Report("FONT", "the chunk has no room for its character table");
  ImageReader r(image, data, data + size - kCodeTableBytes);
  std::vector<uint32_t> offsets = r.OffsetTable();
  if (r.Failed()) return LoadError_Report("FONT", "the font count runs past the chunk");
  ImageReader table(image, data + size - kCodeTableBytes, data + size);
  for (uint16_t& code : g_codeTable) code = static_cast<uint16_t>(table.I16());
  int32_t n = static_cast<int32_t>(offsets.size());
  g_fonts.SetLength(n);
  g_fontNames.SetLength(n);
  g_fontCount = n;
  for (int32_t i = 0; i < n; ++i) {
    if (offsets[i] == 0) continue;
    ImageReader record = ImageReader::AtOffset(image, offsets[i]);
    const char* name = record.Text();
    if (record.Failed()) return LoadError_Report("FONT", "font %d: its name lies outside the file", i);
    g_fonts[i] = new CFontGM();
    g_fontNames[i] = Resource_CopyName(name);
    const char* fault = g_fonts[i]->Load(record);
    if (fault != nullptr) return LoadError_Report("FONT", "font %d (%s): %s", i, g_fontNames[i], fault);
  }
  return true;
}

int32_t Font_Count() { return g_fontCount; }

bool Font_Exists(int32_t index) { return InRange(index) && g_fonts[index] != nullptr; }

CFontGM* Font_Get(int32_t index) { return Font_Exists(index) ? g_fonts[index] : nullptr; }

char* Font_GetName(int32_t index) { return Resource_CopyName(Font_Exists(index) ? g_fontNames[index] : "<undefined>"); }

const char* Font_Name(int32_t index) { return Font_Exists(index) ? g_fontNames[index] : nullptr; }

int32_t Font_Find(const char* name) {
  if (name == nullptr) return -1;
  for (int32_t i = 0; i < g_fontCount; ++i) {
    if (Font_Exists(i) && std::strcmp(g_fontNames[i], name) == 0) return i;
  }
  return -1;
}

uint16_t Font_CodeTableEntry(int32_t index) { return index >= 0 && index < 256 ? g_codeTable[index] : 0; }

int32_t Font_Add(const char* face, int32_t size, bool bold, bool italic, int32_t first, int32_t last) {
  return AppendSlot(MakeSystem(face, size, bold, italic, first, last));
}

bool Font_Replace(int32_t index, const char* face, int32_t size, bool bold, bool italic, int32_t first, int32_t last) {
  if (!InRange(index)) return false;
  Take(index, MakeSystem(face, size, bold, italic, first, last));
  return true;
}

int32_t Font_AddSpriteExt(int32_t sprite, const SpriteFontSource& source, const char* characters, bool proportional,
                          int32_t separation) {
  auto* font = new CFontGM();
  font->MakeFromSprite(sprite, source, characters, proportional, separation);
  return AppendSlot(font);
}

bool Font_ReplaceSpriteExt(int32_t index, int32_t sprite, const SpriteFontSource& source, const char* characters,
                           bool proportional, int32_t separation) {
  if (!InRange(index)) return false;
  auto* font = new CFontGM();
  font->MakeFromSprite(sprite, source, characters, proportional, separation);
  Take(index, font);
  return true;
}

int32_t Font_AddSpriteExt(int32_t sprite, const char* characters, bool proportional, int32_t separation) {
  return Font_AddSpriteExt(sprite, SourceOf(sprite), characters, proportional, separation);
}

bool Font_ReplaceSpriteExt(int32_t index, int32_t sprite, const char* characters, bool proportional,
                           int32_t separation) {
  return Font_ReplaceSpriteExt(index, sprite, SourceOf(sprite), characters, proportional, separation);
}

int32_t Font_AddSprite(int32_t sprite, int32_t first, bool proportional, int32_t separation) {
  char* characters = CodeTableCharacters(sprite, first);
  int32_t index = Font_AddSpriteExt(sprite, characters, proportional, separation);
  MemoryManager::Free(characters);
  return index;
}

bool Font_ReplaceSprite(int32_t index, int32_t sprite, int32_t first, bool proportional, int32_t separation) {
  if (!InRange(index)) return false;
  char* characters = CodeTableCharacters(sprite, first);
  bool done = Font_ReplaceSpriteExt(index, sprite, characters, proportional, separation);
  MemoryManager::Free(characters);
  return done;
}

char* Font_SpriteCharacters(int32_t first, int32_t frameCount) {
  // No more than the table's 256 characters can be named.
  int32_t frames = frameCount < 0 ? 0 : (frameCount > 256 ? 256 : frameCount);
  auto* text = static_cast<char*>(KV_ALLOC(static_cast<size_t>(frames) * 3 + 1, false));
  char* p = text;
  for (int32_t i = 0; i < frames; ++i) {
    int64_t at = int64_t{first} + i;
    if (at < 0) continue;
    if (at >= 256) break;
    // A zero entry would end the text early; it has no character to give.
    if (g_codeTable[at] != 0) UTF8_WriteChar(&p, g_codeTable[at]);
  }
  *p = '\0';
  return text;
}

void Font_InitTextures() {
  for (int32_t i = 0; i < g_fontCount; ++i) {
    if (g_fonts[i] != nullptr) g_fonts[i]->MakeTexture();
  }
}

bool Font_Delete(int32_t index) {
  if (!Font_Exists(index)) return false;
  delete g_fonts[index];
  g_fonts[index] = nullptr;
  MemoryManager::Free(g_fontNames[index]);
  g_fontNames[index] = nullptr;
  return true;
}

void Font_Shutdown() {
  for (int32_t i = 0; i < g_fonts.length; ++i) delete g_fonts[i];
  g_fonts.SetLength(0);
  g_fontNames.SetLength(0);
  g_fontCount = 0;
}
