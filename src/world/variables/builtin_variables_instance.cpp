// The per-instance built-in variables. Fields with derived values (the box,
// motion, path position) are written through the instance's setters.
#include <utility>

#include "resources/sprite.h"
#include "script/variables/variable_registry.h"
#include "world/instance/instance.h"
#include "world/room/depth_order.h"
#include "world/room/room.h"
#include "world/room/room_change.h"
#include "world/run/run_state.h"
#include "world/variables/builtin_variables.h"
#include "world/variables/builtin_variables_support.h"
#include "world/variables/physics_variables.h"

namespace builtin_variables {
namespace {

using Getter = BuiltinVariableGetter;
using Setter = BuiltinVariableSetter;

template <auto kField>
bool GetField(CInstance* instance, int32_t, ScriptValue* out) {
  return instance != nullptr && Real(out, instance->*kField);
}
template <float CInstance::*kField>
bool SetFloat(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance != nullptr) instance->*kField = FloatOf(v);
  return true;
}
template <int32_t CInstance::*kField>
bool SetInt(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance != nullptr) instance->*kField = IntOf(v);
  return true;
}
template <uint8_t CInstance::*kField>
bool SetFlag(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance != nullptr) instance->*kField = FlagOf(v);
  return true;
}
// solid, visible and persistent: any non-zero integer sets them.
template <uint8_t CInstance::*kField>
bool SetNonZero(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance != nullptr) instance->*kField = IntOf(v) != 0 ? 1 : 0;
  return true;
}
// A float setter of the instance that keeps derived values in step.
template <void (CInstance::*kSet)(float)>
bool SetThrough(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance != nullptr) (instance->*kSet)(FloatOf(v));
  return true;
}

bool SetX(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance != nullptr) instance->SetPosition(FloatOf(v), instance->y);
  return true;
}
bool SetY(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance != nullptr) instance->SetPosition(instance->x, FloatOf(v));
  return true;
}

bool GetAlarm(CInstance* instance, int32_t k, ScriptValue* out) {
  return instance != nullptr && Real(out, instance->GetAlarm(Element(k, kInstanceAlarms)));
}
bool SetAlarm(CInstance* instance, int32_t k, const ScriptValue& v) {
  if (instance != nullptr) instance->SetAlarm(Element(k, kInstanceAlarms), IntOf(v));
  return true;
}

bool InActiveList(const InstanceList& list, const CInstance* instance) {
  return instance->prev != nullptr ? instance->prev->next == instance : list.head == instance;
}

// A changed depth takes effect at once: the instance moves to its place in
// the active list, so drawing and event order follow in this very step.
bool SetDepth(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance == nullptr) return true;
  float depth = FloatOf(v);
  if (depth == instance->depth) return true;
  instance->depth = depth;
  DepthOrder_Refresh(instance);
  if (instance->deactivated != 0 || g_currentRoom == nullptr) return true;
  InstanceList* list = &g_currentRoom->active;
  if (!InActiveList(*list, instance)) return true;
  InstanceList_Unlink(list, instance);
  InstanceList_InsertByDepth(list, instance);
  return true;
}

template <int32_t CInstance::*kSide>
bool GetBox(CInstance* instance, int32_t, ScriptValue* out) {
  if (instance == nullptr) return false;
  instance->RefreshBoundingBox();
  return Real(out, instance->*kSide);
}

bool SetSprite(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance != nullptr) instance->SetSpriteIndex(IntOf(v));
  return true;
}
bool SetMask(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance != nullptr) instance->SetMaskIndex(IntOf(v));
  return true;
}

bool GetImageSingle(CInstance* instance, int32_t, ScriptValue* out) {
  if (instance == nullptr) return false;
  return Real(out, instance->image_speed == 0.0f ? instance->image_index : -1.0);
}
bool SetImageSingle(CInstance* instance, int32_t, const ScriptValue& v) {
  if (instance == nullptr) return true;
  if (v.real < 0.0) {
    instance->image_speed = 1.0f;
  } else {
    instance->image_index = FloatOf(v);
    instance->image_speed = 0.0f;
  }
  return true;
}
bool GetImageNumber(CInstance* instance, int32_t, ScriptValue* out) {
  return instance != nullptr && Real(out, instance->GetImageNumber());
}

// A sprite measure times the instance's scale; 0 without a sprite.
template <int32_t CSprite::*kMeasure, float CInstance::*kScale>
bool GetSpriteMeasure(CInstance* instance, int32_t, ScriptValue* out) {
  if (instance == nullptr) return false;
  const CSprite* sprite = Sprite_Get(instance->sprite_index);
  if (sprite == nullptr) return Real(out, 0.0);
  return Real(out, static_cast<double>(sprite->*kMeasure) * static_cast<double>(instance->*kScale));
}

bool GetBlend(CInstance* instance, int32_t, ScriptValue* out) {
  return instance != nullptr && Colour(out, instance->image_blend);
}

bool GetPhysics(CInstance* instance, int32_t variable, int32_t k, ScriptValue* out);
bool SetPhysics(CInstance* instance, int32_t variable, int32_t k, const ScriptValue& value);

// Without a body every physics read and write fails.
bool GetPhysics(CInstance* instance, int32_t variable, int32_t k, ScriptValue* out) {
  if (instance == nullptr || instance->physicsObject == nullptr) return false;
  return PhysicsVariables_Get(instance, variable, k, out);
}
bool SetPhysics(CInstance* instance, int32_t variable, int32_t k, const ScriptValue& value) {
  if (instance == nullptr || instance->physicsObject == nullptr) return false;
  return PhysicsVariables_Set(instance, variable, k, value);
}
template <int32_t kVariable>
bool GetPhysicsVariable(CInstance* instance, int32_t k, ScriptValue* out) {
  return GetPhysics(instance, kVariable, k, out);
}
template <int32_t kVariable>
bool SetPhysicsVariable(CInstance* instance, int32_t k, const ScriptValue& value) {
  return SetPhysics(instance, kVariable, k, value);
}

// The first eleven physics variables can be set, the rest are read-only.
constexpr int32_t kPhysicsSettable = 11;
const char* const kPhysicsNames[kBuiltinPhysicsCount] = {"phy_rotation",
                                                         "phy_position_x",
                                                         "phy_position_y",
                                                         "phy_angular_velocity",
                                                         "phy_linear_velocity_x",
                                                         "phy_linear_velocity_y",
                                                         "phy_speed_x",
                                                         "phy_speed_y",
                                                         "phy_bullet",
                                                         "phy_fixed_rotation",
                                                         "phy_active",
                                                         "phy_mass",
                                                         "phy_inertia",
                                                         "phy_com_x",
                                                         "phy_com_y",
                                                         "phy_dynamic",
                                                         "phy_kinematic",
                                                         "phy_sleeping",
                                                         "phy_collision_points",
                                                         "phy_collision_x",
                                                         "phy_collision_y",
                                                         "phy_col_normal_x",
                                                         "phy_col_normal_y"};
constexpr int32_t kPhysicsCount = kBuiltinPhysicsCount;

// The last four, the contacts' points and normals, are arrays.
constexpr int32_t kPhysicsFirstArray = kPhysicsCount - 4;

template <int32_t kIndex>
void RegisterPhysicsVariable() {
  BuiltinVariableSetter setter = kIndex < kPhysicsSettable ? SetPhysicsVariable<kIndex> : nullptr;
  if (kIndex >= kPhysicsFirstArray) {
    Variable_BuiltIn_AddArray(kPhysicsNames[kIndex], GetPhysicsVariable<kIndex>, setter);
  } else {
    Variable_BuiltIn_Add(kPhysicsNames[kIndex], GetPhysicsVariable<kIndex>, setter);
  }
}
template <int32_t... kIndex>
void RegisterPhysics(std::integer_sequence<int32_t, kIndex...>) {
  (RegisterPhysicsVariable<kIndex>(), ...);
}

bool GetDisplayAA(CInstance*, int32_t, ScriptValue* out) { return Real(out, g_runValues.displayAA); }
bool GetDeltaTime(CInstance*, int32_t, ScriptValue* out) {
  return Real(out, static_cast<double>(g_runValues.stepDelta));
}
bool GetWebGL(CInstance*, int32_t, ScriptValue* out) { return Real(out, 1.0); }
bool GetAsyncLoad(CInstance*, int32_t, ScriptValue* out) { return Real(out, g_runValues.asyncLoad); }

void RegisterPositionAndMotion() {
  Variable_BuiltIn_Add("x", GetField<&CInstance::x>, SetX);
  Variable_BuiltIn_Add("y", GetField<&CInstance::y>, SetY);
  Variable_BuiltIn_Add("xprevious", GetField<&CInstance::xprevious>, SetFloat<&CInstance::xprevious>);
  Variable_BuiltIn_Add("yprevious", GetField<&CInstance::yprevious>, SetFloat<&CInstance::yprevious>);
  Variable_BuiltIn_Add("xstart", GetField<&CInstance::xstart>, SetFloat<&CInstance::xstart>);
  Variable_BuiltIn_Add("ystart", GetField<&CInstance::ystart>, SetFloat<&CInstance::ystart>);
  Variable_BuiltIn_Add("hspeed", GetField<&CInstance::hspeed>, SetThrough<&CInstance::SetHSpeed>);
  Variable_BuiltIn_Add("vspeed", GetField<&CInstance::vspeed>, SetThrough<&CInstance::SetVSpeed>);
  Variable_BuiltIn_Add("direction", GetField<&CInstance::direction>, SetThrough<&CInstance::SetDirection>);
  Variable_BuiltIn_Add("speed", GetField<&CInstance::speed>, SetThrough<&CInstance::SetSpeed>);
  Variable_BuiltIn_Add("friction", GetField<&CInstance::friction>, SetFloat<&CInstance::friction>);
  Variable_BuiltIn_Add("gravity", GetField<&CInstance::gravity>, SetFloat<&CInstance::gravity>);
  Variable_BuiltIn_Add("gravity_direction", GetField<&CInstance::gravity_direction>,
                       SetFloat<&CInstance::gravity_direction>);
  Variable_BuiltIn_Add("object_index", GetField<&CInstance::object_index>, nullptr);
  Variable_BuiltIn_Add("id", GetField<&CInstance::id>, nullptr);
  Variable_BuiltIn_AddArray("alarm", GetAlarm, SetAlarm);
  Variable_BuiltIn_Add("solid", GetField<&CInstance::solid>, SetNonZero<&CInstance::solid>);
  Variable_BuiltIn_Add("visible", GetField<&CInstance::visible>, SetNonZero<&CInstance::visible>);
  Variable_BuiltIn_Add("persistent", GetField<&CInstance::persistent>, SetNonZero<&CInstance::persistent>);
  Variable_BuiltIn_Add("depth", GetField<&CInstance::depth>, SetDepth);
}

void RegisterBoxAndSprite() {
  Variable_BuiltIn_Add("bbox_left", GetBox<&CInstance::bbox_left>, nullptr);
  Variable_BuiltIn_Add("bbox_right", GetBox<&CInstance::bbox_right>, nullptr);
  Variable_BuiltIn_Add("bbox_top", GetBox<&CInstance::bbox_top>, nullptr);
  Variable_BuiltIn_Add("bbox_bottom", GetBox<&CInstance::bbox_bottom>, nullptr);
  Variable_BuiltIn_Add("sprite_index", GetField<&CInstance::sprite_index>, SetSprite);
  Variable_BuiltIn_Add("image_index", GetField<&CInstance::image_index>, SetFloat<&CInstance::image_index>);
  Variable_BuiltIn_Add("image_single", GetImageSingle, SetImageSingle);
  Variable_BuiltIn_Add("image_number", GetImageNumber, nullptr);
  Variable_BuiltIn_Add("sprite_width", GetSpriteMeasure<&CSprite::width, &CInstance::image_xscale>, nullptr);
  Variable_BuiltIn_Add("sprite_height", GetSpriteMeasure<&CSprite::height, &CInstance::image_yscale>, nullptr);
  Variable_BuiltIn_Add("sprite_xoffset", GetSpriteMeasure<&CSprite::xorigin, &CInstance::image_xscale>, nullptr);
  Variable_BuiltIn_Add("sprite_yoffset", GetSpriteMeasure<&CSprite::yorigin, &CInstance::image_yscale>, nullptr);
  Variable_BuiltIn_Add("image_xscale", GetField<&CInstance::image_xscale>, SetThrough<&CInstance::SetImageXScale>);
  Variable_BuiltIn_Add("image_yscale", GetField<&CInstance::image_yscale>, SetThrough<&CInstance::SetImageYScale>);
  Variable_BuiltIn_Add("image_angle", GetField<&CInstance::image_angle>, SetThrough<&CInstance::SetImageAngle>);
  Variable_BuiltIn_Add("image_alpha", GetField<&CInstance::image_alpha>, SetFloat<&CInstance::image_alpha>);
  Variable_BuiltIn_Add("image_blend", GetBlend, SetInt<&CInstance::image_blend>);
  Variable_BuiltIn_Add("image_speed", GetField<&CInstance::image_speed>, SetFloat<&CInstance::image_speed>);
  Variable_BuiltIn_Add("mask_index", GetField<&CInstance::mask_index>, SetMask);
}

void RegisterPathAndTimeLine() {
  Variable_BuiltIn_Add("path_index", GetField<&CInstance::path_index>, nullptr);
  Variable_BuiltIn_Add("path_position", GetField<&CInstance::path_position>, SetThrough<&CInstance::SetPathPosition>);
  Variable_BuiltIn_Add("path_positionprevious", GetField<&CInstance::path_positionprevious>,
                       SetThrough<&CInstance::SetPathPositionPrevious>);
  Variable_BuiltIn_Add("path_speed", GetField<&CInstance::path_speed>, SetThrough<&CInstance::SetPathSpeed>);
  Variable_BuiltIn_Add("path_scale", GetField<&CInstance::path_scale>, SetFloat<&CInstance::path_scale>);
  Variable_BuiltIn_Add("path_orientation", GetField<&CInstance::path_orientation>,
                       SetFloat<&CInstance::path_orientation>);
  Variable_BuiltIn_Add("path_endaction", GetField<&CInstance::path_endaction>, SetInt<&CInstance::path_endaction>);
  Variable_BuiltIn_Add("timeline_index", GetField<&CInstance::timeline_index>, SetInt<&CInstance::timeline_index>);
  Variable_BuiltIn_Add("timeline_position", GetField<&CInstance::timeline_position>,
                       SetFloat<&CInstance::timeline_position>);
  Variable_BuiltIn_Add("timeline_speed", GetField<&CInstance::timeline_speed>, SetFloat<&CInstance::timeline_speed>);
  Variable_BuiltIn_Add("timeline_running", GetField<&CInstance::timeline_running>,
                       SetFlag<&CInstance::timeline_running>);
  Variable_BuiltIn_Add("timeline_loop", GetField<&CInstance::timeline_loop>, SetFlag<&CInstance::timeline_loop>);
  // Settable in name only: without a setter every write is refused.
  Variable_BuiltIn_Add("async_load", GetAsyncLoad, nullptr, true);
}

}  // namespace
}  // namespace builtin_variables

const char* BuiltinVariables_PhysicsName(int32_t index) {
  if (index < 0 || index >= kBuiltinPhysicsCount) return "";
  return builtin_variables::kPhysicsNames[index];
}

void BuiltinVariables_RegisterInstance() {
  using namespace builtin_variables;
  RegisterPositionAndMotion();
  RegisterBoxAndSprite();
  RegisterPathAndTimeLine();
  RegisterPhysics(std::make_integer_sequence<int32_t, kPhysicsCount>());
  Variable_BuiltIn_Add("display_aa", GetDisplayAA, nullptr);
  Variable_BuiltIn_Add("delta_time", GetDeltaTime, nullptr);
  Variable_BuiltIn_Add("webgl_enabled", GetWebGL, nullptr);
}
