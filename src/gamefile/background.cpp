#include "gamefile/background.h"

#include "gamefile/texture_pages.h"
#include "graphics/image_decode.h"
#include "graphics/texture_table.h"
#include "runtime/memory.h"

namespace {

BackgroundTextureCreator g_createTexture = GR_Texture_Create_From_Pixels;
BackgroundTextureFreer g_freeTexture = GR_Texture_Free;

}  // namespace

void Background_SetTextureFunctions(BackgroundTextureCreator create, BackgroundTextureFreer free) {
  g_createTexture = create != nullptr ? create : GR_Texture_Create_From_Pixels;
  g_freeTexture = free != nullptr ? free : GR_Texture_Free;
}

CBackground::~CBackground() { Reset(); }

void CBackground::Reset() {
  width_ = height_ = 0;
  transparent_ = smooth_ = preload_ = 0;
  pageOffset_ = 0;
  if (texture_ >= 0 && g_freeTexture != nullptr) g_freeTexture(texture_);
  texture_ = -1;
}

const char* CBackground::Load(ImageReader& record) {
  Reset();
  transparent_ = record.U32() != 0;
  smooth_ = record.U32() != 0;
  preload_ = record.U32() != 0;
  pageOffset_ = record.U32();
  if (record.Failed()) return "the record runs past the file";
  if (pageOffset_ == 0) return "it names no texture-page record";
  // The untrimmed size: the page record's ninth and tenth fields.
  ImageReader page = ImageReader::AtOffset(record.Image(), pageOffset_);
  page.Skip(16);
  width_ = page.I16();
  height_ = page.I16();
  page.Skip(2);
  return page.Failed() ? "its texture-page record lies outside the file" : nullptr;
}

bool CBackground::LoadFromMemory(const uint8_t* data, int32_t size) {
  if (data == nullptr || size <= 0) return false;
  DecodedImage decoded = Image_Decode(data, static_cast<uint32_t>(size), 0);
  if (decoded.pixels == nullptr) return false;
  if (texture_ >= 0 && g_freeTexture != nullptr) g_freeTexture(texture_);
  texture_ = -1;
  if (g_createTexture != nullptr) {
    uint32_t bytes = static_cast<uint32_t>(decoded.width) * static_cast<uint32_t>(decoded.height) * 4;
    texture_ = g_createTexture(decoded.width, decoded.height, decoded.pixels, bytes);
  }
  MemoryManager::Free(decoded.pixels);
  width_ = decoded.width;
  height_ = decoded.height;
  pageOffset_ = 0;
  return true;
}

void CBackground::Assign(const CBackground& other) {
  if (&other == this) return;
  Reset();
  width_ = other.width_;
  height_ = other.height_;
  transparent_ = other.transparent_;
  smooth_ = other.smooth_;
  preload_ = other.preload_;
  pageOffset_ = other.pageOffset_;
}

const TexturePage* CBackground::GetPage() const {
  return pageOffset_ != 0 ? TexturePage_AtOffset(pageOffset_) : nullptr;
}
