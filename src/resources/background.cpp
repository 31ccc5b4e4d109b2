#include "resources/background.h"

#include <cstring>

#include "graphics/bitmap/bitmap_limits.h"
#include "graphics/bitmap/image_decode.h"
#include "graphics/texture/texture_table.h"
#include "resources/texture_pages.h"
#include "runtime/console.h"
#include "runtime/memory.h"

CBackground::~CBackground() { Reset(); }

void CBackground::Reset() {
  delete pixels_;
  pixels_ = nullptr;
  width_ = height_ = 0;
  transparent_ = smooth_ = preload_ = 0;
  pageOffset_ = 0;
  if (texture_ >= 0) GR_Texture_Free(texture_);
  texture_ = -1;
}

void CBackground::MakeTexture() {
  if (texture_ >= 0) GR_Texture_Free(texture_);
  texture_ = -1;
  if (pixels_ == nullptr || !pixels_->IsValid()) return;
  const int32_t w = pixels_->GetWidth(), h = pixels_->GetHeight();
  texture_ =
      GR_Texture_Create_From_Pixels(w, h, pixels_->GetData()->pixels, static_cast<uint32_t>(pixels_->GetData()->size));
  if (preload_ != 0 && texture_ >= 0) GR_Texture_Preload(texture_);
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

// The decoded image is kept as a pixel copy, so that copies of the
// background and alpha taken from it have pixels to work on.
bool CBackground::LoadFromMemory(const uint8_t* data, int32_t size, bool transparent, bool smooth, bool preload) {
  if (data == nullptr || size <= 0) return false;
  DecodedImage decoded = Image_Decode(data, static_cast<uint32_t>(size), 0);
  if (decoded.pixels == nullptr) return false;
  auto* copy = new CBitmap32(decoded.width, decoded.height, 0);
  const bool fits = copy->IsValid() && copy->GetWidth() == decoded.width && copy->GetHeight() == decoded.height;
  if (fits) std::memcpy(copy->GetData()->pixels, decoded.pixels, static_cast<size_t>(copy->GetData()->size));
  MemoryManager::Free(decoded.pixels);
  if (!fits) {
    delete copy;
    return false;
  }
  delete pixels_;
  pixels_ = copy;
  width_ = decoded.width;
  height_ = decoded.height;
  transparent_ = transparent;
  smooth_ = smooth;
  preload_ = preload;
  pageOffset_ = 0;
  MakeTexture();
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
  if (other.pixels_ != nullptr) pixels_ = new CBitmap32(*other.pixels_);
  MakeTexture();
}

void CBackground::CreateFromBitmap(TBitmap* bitmap, bool transparent, bool smooth, bool preload, int32_t copyKind) {
  Reset();
  if (bitmap == nullptr) return;
  transparent_ = transparent;
  smooth_ = smooth;
  preload_ = preload;
  width_ = bitmap->GetWidth();
  height_ = bitmap->GetHeight();
  pixels_ =
      copyKind == 1 ? new CBitmap32(bitmap, transparent, smooth, false) : new CBitmap32(bitmap, transparent, smooth);
  MakeTexture();
}

// A size no bitmap may have leaves the background empty: nothing is
// allocated for it.
void CBackground::CreateColor(int32_t width, int32_t height, uint32_t colour, bool preload) {
  Reset();
  preload_ = preload;
  if (!Bitmap_SizeAllowed(width, height)) return;
  width_ = width;
  height_ = height;
  pixels_ = new CBitmap32(width, height, colour);
  MakeTexture();
}

void CBackground::CreateGradient(int32_t width, int32_t height, uint32_t colour1, uint32_t colour2, int32_t kind,
                                 bool preload) {
  Reset();
  preload_ = preload;
  if (!Bitmap_SizeAllowed(width, height)) return;
  width_ = width;
  height_ = height;
  pixels_ = CBitmap32::Gradient(width, height, colour1, colour2, kind);
  MakeTexture();
}

void CBackground::SetAlphaFromBackground(const CBackground& other) {
  if (pixels_ == nullptr || other.pixels_ == nullptr) {
    g_debugConsole->Output("Both bitmaps need to be duplicated first\n");
    return;
  }
  pixels_->SetAlphaFromBitmap(other.pixels_);
  MakeTexture();
}

TBitmap* CBackground::MakeBitmap() const { return pixels_ != nullptr ? pixels_->ToBitmap24() : nullptr; }

const TexturePage* CBackground::GetPage() const {
  return pageOffset_ != 0 ? TexturePage_AtOffset(pageOffset_) : nullptr;
}

TexturePage* CBackground::DrawPage() const { return pageOffset_ != 0 ? TexturePage_AtOffset(pageOffset_) : nullptr; }

int32_t CBackground::GetTexture() const {
  if (pageOffset_ != 0) return GR_TexturePage_Handle(TexturePage_IndexOfOffset(pageOffset_));
  return texture_;
}
