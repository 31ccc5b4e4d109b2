#include "world/start/wiring.h"

#include "audio/audio_chunks.h"
#include "gamefile/function_stores.h"
#include "gamefile/runner_load.h"
#include "graphics/device/graphics.h"
#include "platform/message_box.h"
#include "script/compiler/compile_error.h"
#include "script/tree/interpreter_statements.h"
#include "script/vm/codegen.h"
#include "script/vm/vm.h"
#include "world/draw/room_draw.h"
#include "world/input/virtual_keys.h"
#include "world/start/service_list.h"
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

// Each row only sets pointers and runs nothing it installs, so no row
// depends on another; the list reads from the services up.
constexpr void (*kWiring[])() = {
    ServiceList_Install,             // services, their stand-ins
    WorldHooks_Install,              // names, errors, instances, physics bindings
    GameFile_InstallFunctionStores,  // the game's functions, extension calls
    AudioChunks_Install,             // the sound chunks' reader
    RoomDraw_Install,                // room drawing for the frame's end
    InstallVirtualButtonsReader,     // virtual buttons from the options file
    InstallFullscreenLeave,          // leaving full screen before a message or an error
    VM_InstallGenerator,             // bytecode generator
    VM_Install,                      // bytecode machine
    Statements_Install,              // tree statements
    BuiltinVariables_Install,        // the built-in variables' registration
};

}  // namespace

void Wiring_Install() {
  for (void (*install)() : kWiring) install();
}
