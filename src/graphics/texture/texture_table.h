// The texture table: sprites, backgrounds, fonts and surfaces hold indices
// into it, and its entries own the device textures and carry what texture
// coordinates need. Entries are never removed or reordered; a freed entry is
// taken by the next creation. Bad or unused indices draw nothing, read as
// null, false or 1.0, and change nothing.
#pragma once
#include <cstdint>

struct DeviceTexture;
struct TexturePage;

struct TextureEntry {
  DeviceTexture* texture;  // owned; null when unused
  uint16_t width, height;  // the used size in pixels
  float inverseWidth;      // 1 / the width the texture coordinates span
  float inverseHeight;
  uint8_t inUse;
};

// The in-use entry at an index, or null.
TextureEntry* GR_Texture_Entry(int32_t index);
int32_t GR_Texture_Count();

int32_t GR_Texture_Alloc_Slot();
void GR_Texture_Free(int32_t index);
void GR_Texture_Free_All();
void GR_Texture_Quit();
void GR_Texture_Table_Free();
bool GR_Texture_Exists(int32_t index);
DeviceTexture* GR_Texture_Get_Device_Texture(int32_t index);
// The used fraction of the device texture (1.0 for a bad index).
float GR_Texture_Get_Width(int32_t index);
float GR_Texture_Get_Height(int32_t index);
void GR_Texture_Preload(int32_t index);
void GR_Texture_Set_Priority(int32_t index, uint32_t priority);
// Lets the device drop what it may; surfaces and entries are left alone.
void GR_Texture_Flush();

// Creations: the new index, or -1 with no slot taken when the device texture
// cannot be made.
int32_t GR_Texture_Create(int32_t width, int32_t height, bool renderTarget);
int32_t GR_Texture_Create_From_Memory(const uint8_t* data, uint32_t size);
// The game file's page images; shaped for TexturePage_SetTextureCreator.
int32_t GR_Texture_Load_From_Memory(const uint8_t* data, uint64_t bound);
// byteSize = width x height x 4: raw 0xAARRGGBB pixels; otherwise an encoded image.
int32_t GR_Texture_Create_From_Pixels(int32_t width, int32_t height, const void* pixels, uint32_t byteSize);
// White with the coverage bytes (rows of `width`) as alpha, for glyphs.
int32_t GR_Texture_Create_From_Alpha(int32_t width, int32_t height, const uint8_t* coverage);
// Takes ownership of a device texture of which width x height is used.
int32_t GR_Texture_Add_Device_Texture(DeviceTexture* texture, int32_t width, int32_t height);

// A script names a texture-page image by a handle: a tagged number outside
// the range of texture indices, never a pointer.
constexpr int32_t kTexturePageHandleBase = 0x40000000;
// The handle of a record of g_texturePages; -1 for an index outside it.
int32_t GR_TexturePage_Handle(int32_t pageIndex);
// The record a handle names, or null for anything else.
TexturePage* GR_TexturePage_FromHandle(int64_t handle);
// The texture index a record draws from.
int32_t GR_TexturePage_Texture(const TexturePage* page);
// A script's texture argument: a texture index or a page handle; anything
// else is no texture (null).
DeviceTexture* GR_Texture_From_Script(int64_t value);

// What vertices given a script's texture argument draw from: an existing
// texture index as it is; a page handle as the page's texture, with the
// page kept so that coordinates can be mapped into its place; anything else
// no texture (-1, no page).
struct ScriptTexture {
  int32_t texture = -1;
  const TexturePage* page = nullptr;
  float inverseWidth = 1.0f, inverseHeight = 1.0f;  // of the page's texture
};
ScriptTexture GR_Texture_Resolve(int64_t value);
// Coordinates 0..1 over the page's image moved into its place on the
// texture; without a page they stay as given.
void GR_Texture_Map_Page(const ScriptTexture& texture, float* u, float* v);
