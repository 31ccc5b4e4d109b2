#include "world/draw/room_transition.h"

#include "graphics/device/draw_state.h"
#include "graphics/start/graphics_start.h"
#include "graphics/surface/surfaces.h"
#include "graphics/transition/transition_define.h"
#include "graphics/transition/transition_draw.h"
#include "runtime/console.h"
#include "world/draw/room_draw.h"
#include "world/run/run_state.h"

namespace {

void FreeSurface(int32_t* surface) {
  GR_Surface_Free(*surface);
  *surface = -1;
}

// A surface the size of the screen, left over ones freed first; false
// (and the transition over) when it cannot be made.
bool MakeScreenSurface(int32_t* surface) {
  FreeSurface(surface);
  const ScreenSize screen = GR_Get_Screen_Size();
  *surface = GR_Surface_Create(screen.width, screen.height);
  if (*surface >= 0) return true;
  g_transition.kind = -1;
  return false;
}

// Events run only while no room change is pending, so the pending one is
// held aside while the old room draws.
void DrawCurrentRoom() {
  const int32_t pending = g_newRoom;
  g_newRoom = kRoomChangeNone;
  Room_Draw();
  g_newRoom = pending;
}

// One presented frame of the transition at step i of n.
void PlayFrame(int32_t kind, int64_t i, int32_t n) {
  g_debugConsole->Output("TF: 2.1\n");
  GR_D3D_Start_Frame();
  g_debugConsole->Output("TF: 2.2\n");
  g_debugConsole->Output("TransFunctionExists()\n");
  g_debugConsole->Output("TF: 2.3 -2\n");
  GR_Transition_Draw(kind, static_cast<float>(static_cast<double>(i) / n));
  g_debugConsole->Output("TF: 2.4\n");
  GR_D3D_Finish_Frame(true);
}

}  // namespace

void GR_Transition_Start(int32_t kind) {
  g_transition.kind = kind;
  if (!TransFunctionExists(kind)) return;
  if (!MakeScreenSurface(&g_transition.oldSurface)) return;
  GR_Surface_Set_Target(g_transition.oldSurface);
  DrawCurrentRoom();
  if (!MakeScreenSurface(&g_transition.newSurface)) {
    GR_Surface_Reset_Target();
    FreeSurface(&g_transition.oldSurface);
    return;
  }
  GR_Surface_Set_Target(g_transition.newSurface);
}

bool GR_Transition_Finish() {
  g_debugConsole->Output("GR_Transition_Finish\n");
  // The transition ends with this call, whatever happens in it.
  const int32_t kind = g_transition.kind;
  g_transition.kind = -1;
  if (kind < 1 || kind > kTransitionBuiltInKinds) {
    g_debugConsole->Output("TransFunctionExists()\n");
    g_debugConsole->Output("FALSE: GR_D3D_Finish_Frame\n");
    GR_D3D_Finish_Frame(true);
    g_debugConsole->Output("return FALSE\n");
    return false;
  }
  g_debugConsole->Output("TF: 1\n");
  GR_Surface_Reset_Target();
  const int32_t steps = GR_Transition_Get_Steps();
  g_debugConsole->Output("TF: 2  - %d\n", steps);
  for (int64_t i = 0; i <= steps; ++i) PlayFrame(kind, i, steps);
  g_debugConsole->Output("TF: 3\n");
  FreeSurface(&g_transition.oldSurface);
  g_debugConsole->Output("TF: 4\n");
  FreeSurface(&g_transition.newSurface);
  g_debugConsole->Output("TF: 5\n");
  return false;
}
