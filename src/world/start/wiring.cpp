#include "world/start/wiring.h"

#include "audio/audio_chunks.h"
#include "gamefile/chunk_walk.h"
#include "gamefile/function_stores.h"
#include "gamefile/object.h"
#include "gamefile/options.h"
#include "gamefile/runner_load.h"
#include "graphics/device/graphics.h"
#include "platform/dialog_host.h"
#include "platform/message_box.h"
#include "runtime/process.h"
#include "script/compiler/compile_error.h"
#include "script/tree/interpreter_statements.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"
#include "shell/window.h"
#include "world/draw/room_draw.h"
#include "world/input/virtual_keys.h"
#include "world/room/room_store.h"
#include "world/start/runner.h"
#include "world/start/service_list.h"
#include "world/start/startup_services.h"
#include "world/start/world_hooks.h"
#include "world/variables/builtin_variables.h"

namespace {

void InstallVirtualButtonsReader() { Runner_SetVirtualButtonsHook(IO_LoadVirtualButtons); }

// A message box or an error report over a full-screen game would be hidden
// behind it: the game leaves full screen first.
void InstallFullscreenLeave() {
  MessageBox_SetPrelude(Graphics::LeaveFullscreen);
  Code_Error_SetResetHook(Graphics::LeaveFullscreen);
}

// Precompiled code names its texts by string-table index.
const char* GameStringText(const VMBuffer*, int32_t index) {
  return index < 0 ? nullptr : StringTable_Get(static_cast<uint32_t>(index));
}

void InstallStringSource() { VM_SetStringSource(GameStringText); }

void InstallMessagePump() {
  Runner_SetMessagePump(Runner_PumpMessages);
  DialogHost_SetQuitCheck(Runner_QuitSignalled);
}

// What the window and the input it feeds call up: the input state, the run
// control, the options and the graphics.
void InstallWindowHooks() { Win_SetServices(StartupServices_WindowServices()); }

enum class Stage { kStart, kWindow };

struct Row {
  Stage stage;
  void (*install)();  // null: the rows handed in from above the world
};

// Each row only sets pointers and runs nothing it installs, so no row
// depends on another; the list reads from the services up.
constexpr Row kWiring[] = {
    {Stage::kStart, ServiceList_Install},             // services, their stand-ins
    {Stage::kStart, WorldHooks_Install},              // names, errors, instances, physics bindings
    {Stage::kStart, GameFile_InstallFunctionStores},  // the game's functions, extension calls
    {Stage::kStart, GameFile_InstallEventStores},     // events of objects and time lines for performing
    {Stage::kStart, AudioChunks_Install},             // the sound chunks' reader
    {Stage::kStart, Room_Init},                       // the rooms' chunk reader, the room's first instance
    {Stage::kStart, RoomDraw_Install},                // room drawing for the frame's end
    {Stage::kStart, InstallVirtualButtonsReader},     // virtual buttons from the options file
    {Stage::kStart, InstallFullscreenLeave},          // leaving full screen before a message or an error
    {Stage::kStart, VM_InstallGenerator},             // bytecode generator
    {Stage::kStart, VM_Install},                      // bytecode machine
    {Stage::kStart, InstallStringSource},             // the machine's texts from the string table
    {Stage::kStart, Statements_Install},              // tree statements
    {Stage::kStart, BuiltinVariables_Install},        // the built-in variables' registration
    {Stage::kStart, InstallMessagePump},              // the message pump, a quit signal ending dialogs
    {Stage::kStart, nullptr},                         // from above: built-ins, platform services, debugger
    {Stage::kWindow, InstallWindowHooks},             // the window's services, mouse, joysticks, colour
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

void Wiring_Install(std::span<const WiringRow> above) { Run(Stage::kStart, above); }

void Wiring_InstallWindow() { Run(Stage::kWindow, {}); }
