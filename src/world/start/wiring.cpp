#include "world/start/wiring.h"

#include "audio/audio_chunks.h"
#include "gamefile/chunk_walk.h"
#include "gamefile/options.h"
#include "gamefile/runner_load.h"
#include "graphics/device/graphics.h"
#include "platform/dialog_host.h"
#include "platform/message_box.h"
#include "runtime/process.h"
#include "script/host/script_host.h"
#include "shell/window.h"
#include "world/draw/room_draw.h"
#include "world/input/virtual_keys.h"
#include "world/object/object.h"
#include "world/room/room_store.h"
#include "world/start/runner.h"
#include "world/start/service_list.h"
#include "world/start/startup_services.h"
#include "world/start/world_hooks.h"

namespace {

void InstallVirtualButtonsReader() { Runner_SetVirtualButtonsHook(IO_LoadVirtualButtons); }

// A message box over a full-screen game would be hidden behind it: the game
// leaves full screen first. The box's title is the game's window caption.
void InstallMessageBox() {
  MessageBox_SetPrelude(Graphics::LeaveFullscreen);
  MessageBox_SetTitleSource(Win_GetCaption);
}

// The platform's constants, handed in from above the world.
ConstantInitHook g_platformConstants = nullptr;

// The engine's host, then the engine's own parts joined.
void InstallScriptEngine() {
  ScriptHost host = WorldHooks_ScriptHost();
  host.platformConstants = g_platformConstants;
  ScriptHost_Install(host);
  ScriptEngine_Join();
}

void InstallMessagePump() {
  Runner_SetMessagePump(Runner_PumpMessages);
  DialogHost_SetQuitCheck(Runner_QuitSignalled);
}

// What the window calls up: the step's mouse, the run control, the options
// and the graphics.
void InstallWindowHooks() { Win_SetServices(StartupServices_WindowServices()); }

enum class Stage { kStart, kWindow };

struct Row {
  Stage stage;
  void (*install)();  // null: the rows handed in from above the world
};

// Each row only sets pointers and runs nothing it installs, so no row
// depends on another; the list reads from the services up.
constexpr Row kWiring[] = {
    {Stage::kStart, ServiceList_Install},          // services, their stand-ins
    {Stage::kStart, WorldHooks_Install},           // sound fades, physics bindings and errors
    {Stage::kStart, InstallScriptEngine},          // the script engine's host, its own parts
    {Stage::kStart, AudioChunks_Install},          // the sound chunks' reader
    {Stage::kStart, ObjectChunk_Install},          // the objects' chunk reader
    {Stage::kStart, Room_Init},                    // the rooms' chunk reader, the room's first instance
    {Stage::kStart, RoomDraw_Install},             // room drawing for the frame's end
    {Stage::kStart, InstallVirtualButtonsReader},  // virtual buttons from the options file
    {Stage::kStart, InstallMessageBox},            // leaving full screen before a message, its title
    {Stage::kStart, InstallMessagePump},           // the message pump, a quit signal ending dialogs
    {Stage::kStart, nullptr},                      // from above: built-ins, platform services, debugger
    {Stage::kWindow, InstallWindowHooks},          // the window's services, mouse, joysticks, colour
};

void Run(Stage stage, std::span<const WiringRow> above) {
  for (const Row& row : kWiring) {
    if (row.stage != stage) continue;
    if (row.install != nullptr) {
      row.install();
    } else {
      for (WiringRow install : above) install();
    }
  }
}

}  // namespace

void Wiring_Install(const AboveWorld& above) {
  g_platformConstants = above.platformConstants;
  Run(Stage::kStart, above.rows);
}

void Wiring_InstallWindow() { Run(Stage::kWindow, {}); }
