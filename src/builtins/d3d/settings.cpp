// 3D mode, render settings and lights.
#include <cmath>

#include "builtins/d3d/handlers.h"
#include "graphics/3d/mode_3d.h"
#include "graphics/device/draw_state.h"
#include "graphics/device/render_states.h"
#include "runtime/numeric.h"

float D3D_Float(const BuiltinArgs& a, int32_t i) { return NarrowToFloat(a.Real(i)); }

void F_D3DStart(KV_BUILTIN_PARAMS) { Result_SetReal(result, GR_3D_Set_Mode(true) ? 1.0 : 0.0); }

void F_D3DEnd(KV_BUILTIN_PARAMS) { Result_SetReal(result, GR_3D_Set_Mode(false) ? 1.0 : 0.0); }

void F_D3DSetPerspective(KV_BUILTIN_PARAMS) { GR_3D_Set_Perspective(BuiltinArgs(argc, args).Bool(0)); }

void F_D3DSetHidden(KV_BUILTIN_PARAMS) { GR_3D_Set_Hidden(BuiltinArgs(argc, args).Bool(0)); }

void F_D3DSetDepth(KV_BUILTIN_PARAMS) { GR_3D_Set_Depth(D3D_Float(BuiltinArgs(argc, args), 0)); }

void F_D3DSetLighting(KV_BUILTIN_PARAMS) { GR_3D_Set_Lighting(BuiltinArgs(argc, args).Bool(0)); }

void F_D3DSetShading(KV_BUILTIN_PARAMS) { GR_3D_Set_Shading(BuiltinArgs(argc, args).Bool(0)); }

// Start and end pass on only their low 16 bits, so -1 becomes 65535 on the
// way and comes back as -1 in the fog settings.
void F_D3DSetFog(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  const auto start = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(a.TruncInt(2)) & 0xFFFFu));
  const auto end = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(a.TruncInt(3)) & 0xFFFFu));
  GR_3D_Set_Fog(a.Bool(0), static_cast<uint32_t>(a.Int(1)), start, end);
}

void F_D3DSetCulling(KV_BUILTIN_PARAMS) { GR_3D_Set_Culling(BuiltinArgs(argc, args).Bool(0)); }

void F_D3DLightDefineAmbient(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  if (a.IsReal(0)) Graphics::SetAmbient(static_cast<uint32_t>(a.Int(0)));
}

// A zero direction goes on as it is: normalised it would be NaN and darken
// every lit pixel; as it is, the light adds nothing.
void F_D3DLightDefineDirection(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  float dx = D3D_Float(a, 1), dy = D3D_Float(a, 2), dz = D3D_Float(a, 3);
  const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (length != 0.0f) {
    dx /= length;
    dy /= length;
    dz /= length;
  }
  Graphics::SetDirectionalLight(a.TruncInt(0), dx, dy, dz, static_cast<uint32_t>(a.Int(4)));
}

void F_D3DLightDefinePoint(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Graphics::SetPointLight(a.Int(0), D3D_Float(a, 1), D3D_Float(a, 2), D3D_Float(a, 3), D3D_Float(a, 4),
                          static_cast<uint32_t>(a.Int(5)));
}

void F_D3DLightEnable(KV_BUILTIN_PARAMS) {
  BuiltinArgs a(argc, args);
  Graphics::EnableLight(a.Int(0), a.Bool(1));
}
