#include "world/input/virtual_keys.h"

#include <cstdio>
#include <cstring>

#include "files/ini_file.h"
#include "graphics/device/batcher.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/graphics.h"
#include "platform/keys.h"
#include "runtime/memory.h"
#include "runtime/numeric.h"
#include "runtime/script_value.h"
#include "script/compiler/constants.h"
#include "world/input/input_state.h"

VirtualKey g_virtualKeys[kVirtualKeyCount];
PointerSlot g_pointerSlots[kPointerSlotCount];

namespace {

char* g_textureName = nullptr;
uint32_t g_previousHits = 0;

VirtualKeySize NoPort() { return {0, 0}; }
VirtualKeyHooks g_hooks = {NoPort};

VirtualKeySize DrawingArea() { return {g_screenSize.width, g_screenSize.height}; }

// Only real constants name keys and buttons, looked up without regard to
// case.
bool BuiltInConstant(const char* name, double* value) {
  const ScriptValue* found = Code_Constant_Find(name);
  if (found == nullptr || found->kind != kValueReal) return false;
  *value = found->real;
  return true;
}

constexpr int32_t kTriangleList = 4;

// Untextured, in screen space over the finished frame.
void DrawTriangles(const TexVertex* vertices, int32_t count) {
  if (!Graphics::HasDevice()) return;
  GR_Overlay_Begin();
  Graphics::AddWholePrimitives(kTriangleList, nullptr, sizeof(TexVertex), vertices, count);
  Graphics::FlushBatch();
  GR_Overlay_End();
}

bool HasArea(VirtualKeySize size) { return size.width > 0 && size.height > 0; }

// Integer scaling in 64 bits: window coordinates times a room size must not
// overflow before the division.
int32_t Saturated(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int32_t Scale(int32_t value, int32_t to, int32_t from) { return Saturated(static_cast<int64_t>(value) * to / from); }

int32_t SaturatedSum(int32_t a, int32_t b) { return Saturated(static_cast<int64_t>(a) + b); }

bool StartsWith(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

int32_t ConstantValue(const char* name) {
  double value = 0;
  if (!BuiltInConstant(name, &value)) return 0;
  return Num_RoundInt32(value);
}

// "VK_..." names a key constant (its low byte), "MB_..." leaves the key to
// the button entry, anything else is a character whose code is the key.
int32_t KeyFromText(const char* text) {
  if (text == nullptr) return 0;
  if (StartsWith(text, "VK_")) return ConstantValue(text) & 0xFF;
  if (StartsWith(text, "MB_")) return 0;
  auto first = static_cast<unsigned char>(text[0]);
  bool blank = first == ' ' || (first >= '\t' && first <= '\r');
  return first == 0 || blank ? 0 : first;
}

int32_t ButtonFromText(const char* text) {
  if (text == nullptr || !StartsWith(text, "MB_")) return 0;
  return ConstantValue(text);
}

void ReadKey(CIniFile* ini, const char* section, VirtualKey* key) {
  key->x1 = ini->ReadInt(section, "X", 0);
  key->y1 = ini->ReadInt(section, "Y", 0);
  key->w = ini->ReadInt(section, "W", 0);
  key->h = ini->ReadInt(section, "H", 0);
  key->u = ini->ReadInt(section, "U", 0);
  key->v = ini->ReadInt(section, "V", 0);
  key->x2 = SaturatedSum(key->x1, key->w);
  key->y2 = SaturatedSum(key->y1, key->h);
  key->key = KeyFromText(ini->ReadString(section, "KEY", nullptr));
  key->button = ButtonFromText(ini->ReadString(section, "BUTTON", nullptr));
  key->flags = kVirtualKeyInUse;
}

uint32_t HitsOfSlot(const PointerSlot& slot, VirtualKeySize port, VirtualKeySize window) {
  int32_t px = Scale(slot.x, port.width, window.width);
  int32_t py = Scale(slot.y, port.height, window.height);
  uint32_t hits = 0;
  for (int i = 0; i < kVirtualKeysReacting; ++i) {
    const VirtualKey& key = g_virtualKeys[i];
    if ((key.flags & kVirtualKeyInUse) == 0) continue;
    if (key.x1 <= px && px < key.x2 && key.y1 <= py && py < key.y2) hits |= 1u << i;
  }
  return hits;
}

// Sets pressed, down or released of the key (or button) a virtual key
// drives; codes and buttons outside the tables drive nothing.
void Drive(const VirtualKey& key, bool was, bool is) {
  InputStepSide& step = Input_StepSide();
  uint8_t* pressed = nullptr;
  uint8_t* down = nullptr;
  uint8_t* released = nullptr;
  if (key.key != 0) {
    if (!keys::IsKeyCode(key.key)) return;
    pressed = &step.keyPressed[key.key];
    down = &step.keyDown[key.key];
    released = &step.keyReleased[key.key];
  } else {
    if (key.button < 1 || key.button > kInputButtonCount) return;
    pressed = &step.buttonPressed[0][key.button - 1];
    down = &step.buttonDown[0][key.button - 1];
    released = &step.buttonReleased[0][key.button - 1];
  }
  if (is && !was) *pressed = 1;
  if (is && was) *down = 1;
  if (was && !is) *released = 1;
}

void AddCorner(TexVertex* v, float x, float y) { *v = TexVertex{x, y, 0.5f, 0xFFFFFFFFu, 0, 0}; }

}  // namespace

const char* VirtualKeys_TextureName() { return g_textureName; }

void VirtualKeys_Install(const VirtualKeyHooks& hooks) {
  g_hooks.portSize = hooks.portSize != nullptr ? hooks.portSize : NoPort;
}

void IO_SetPointerSlot(int32_t index, int32_t x, int32_t y) {
  if (index < 0 || index >= kPointerSlotCount) return;
  g_pointerSlots[index].flags |= kPointerPending;
  g_pointerSlots[index].x = x;
  g_pointerSlots[index].y = y;
}

void IO_ClearPointerSlots() { std::memset(g_pointerSlots, 0, sizeof g_pointerSlots); }

void VirtualKeys_Init() {
  for (int i = 0; i < kVirtualKeyCount; ++i) g_virtualKeys[i].index = static_cast<uint16_t>(i);
  g_previousHits = 0;
}

void VirtualKeys_Free() {
  std::memset(g_virtualKeys, 0, sizeof g_virtualKeys);
  VirtualKeys_Init();
  MemoryManager::Free(g_textureName);
  g_textureName = nullptr;
}

VirtualKey* IO_FindFreeVirtualKey() {
  for (VirtualKey& key : g_virtualKeys) {
    if (key.flags == 0) return &key;
  }
  return nullptr;
}

void IO_DeleteVirtualKey(int32_t index) {
  if (index >= 0 && index < kVirtualKeyCount) g_virtualKeys[index].flags = 0;
}

int32_t IO_AddVirtualKey(int32_t x, int32_t y, int32_t width, int32_t height, int32_t code) {
  VirtualKey* key = IO_FindFreeVirtualKey();
  if (key == nullptr) return -1;
  const uint16_t index = key->index;
  *key = VirtualKey{};
  key->index = index;
  key->x1 = x;
  key->y1 = y;
  key->w = width;
  key->h = height;
  key->x2 = SaturatedSum(x, width);
  key->y2 = SaturatedSum(y, height);
  key->key = code;
  key->flags = kVirtualKeyInUse;
  return static_cast<int32_t>(key - g_virtualKeys);
}

void IO_ShowVirtualKey(int32_t index, bool shown) {
  if (index < 0 || index >= kVirtualKeyCount) return;
  uint16_t& flags = g_virtualKeys[index].flags;
  flags = static_cast<uint16_t>(shown ? flags | kVirtualKeyShown : flags & ~kVirtualKeyShown);
}

// Once the table is full the remaining sections could only be skipped, so
// the reading stops there rather than counting up to a huge NUM_BUTTONS.
void IO_LoadVirtualButtons(CIniFile* ini) {
  if (ini == nullptr) return;
  VirtualKeys_Init();
  int32_t count = ini->ReadInt("IO_VIRTUAL_BUTTONS", "NUM_BUTTONS", 0);
  const char* texture = ini->ReadString("IO_VIRTUAL_BUTTONS", "TEXTURE", nullptr);
  if (texture != nullptr) {
    MemoryManager::Free(g_textureName);
    size_t length = std::strlen(texture);
    g_textureName = static_cast<char*>(KV_ALLOC(length + 1, false));
    std::memcpy(g_textureName, texture, length + 1);
  }
  for (int32_t i = 0; i < count; ++i) {
    VirtualKey* key = IO_FindFreeVirtualKey();
    if (key == nullptr) break;
    char section[32];
    std::snprintf(section, sizeof section, "IO_BUTTON_%d", static_cast<int>(i));
    ReadKey(ini, section, key);
  }
}

// Without a room or a window to map between there is nothing to hit, but the
// pointers are still used up and keys held before are released.
void IO_UpdateVirtualKeys() {
  VirtualKeySize port = g_hooks.portSize();
  VirtualKeySize window = DrawingArea();
  bool mapped = HasArea(port) && HasArea(window);
  uint32_t hits = 0;
  for (PointerSlot& slot : g_pointerSlots) {
    if ((slot.flags & kPointerPending) == 0) continue;
    if (mapped) hits |= HitsOfSlot(slot, port, window);
    slot.flags = 0;
  }
  for (int i = 0; i < kVirtualKeysReacting; ++i) {
    const VirtualKey& key = g_virtualKeys[i];
    if ((key.flags & kVirtualKeyInUse) == 0) continue;
    Drive(key, (g_previousHits >> i & 1u) != 0, (hits >> i & 1u) != 0);
  }
  g_previousHits = hits;
}

void IO_DrawVirtualKeys() {
  VirtualKeySize port = g_hooks.portSize();
  VirtualKeySize window = DrawingArea();
  if (!HasArea(port) || !HasArea(window)) return;
  constexpr uint16_t kShownInUse = kVirtualKeyInUse | kVirtualKeyShown;
  TexVertex vertices[kVirtualKeyCount * 6];
  int32_t count = 0;
  for (const VirtualKey& key : g_virtualKeys) {
    if ((key.flags & kShownInUse) != kShownInUse) continue;
    auto x1 = static_cast<float>(Scale(key.x1, window.width, port.width));
    auto y1 = static_cast<float>(Scale(key.y1, window.height, port.height));
    auto x2 = static_cast<float>(Scale(key.x2, window.width, port.width));
    auto y2 = static_cast<float>(Scale(key.y2, window.height, port.height));
    TexVertex* v = vertices + count;
    AddCorner(v + 0, x1, y1);
    AddCorner(v + 1, x2, y1);
    AddCorner(v + 2, x1, y2);
    AddCorner(v + 3, x2, y1);
    AddCorner(v + 4, x2, y2);
    AddCorner(v + 5, x1, y2);
    count += 6;
  }
  if (count > 0) DrawTriangles(vertices, count);
}
