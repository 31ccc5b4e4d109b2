#include "world/start/prepare_game.h"

#include "audio/audio_system.h"
#include "audio/hardware_table.h"
#include "audio/sound_store.h"
#include "extensions/extension.h"
#include "gamefile/options.h"
#include "platform/message_box.h"
#include "resources/timeline.h"
#include "runtime/console.h"
#include "script/compiler/constants.h"
#include "script/events/script.h"
#include "world/object/object.h"
#include "world/room/room_store.h"
#include "world/start/load_form_services.h"

namespace {

// Sound_Prepare answers false by design; the legacy sounds' preparation
// that follows it decides.
bool PrepareSounds() {
  Sound_Prepare();
  return Sound_PrepareAll();
}
bool PrepareConstants() { return Code_Constant_Prepare(g_options.constantNames, g_options.constantValues); }

struct PrepareStep {
  const char* line;  // console line, printed before the step (after the bar when lineAfterBar)
  bool lineAfterBar;
  int percentage;
  const char* caption;
  bool (*run)();
  const char* failure;  // shown in a message box when the step fails
};

const PrepareStep kSteps[] = {
    {"Extension_Prepare() \n", false, 54, "Preparing extension packages", Extension_Prepare,
     "Failed to prepare extension packages."},
    {"Code_Constant_Prepare() \n", false, 56, "Preparing constants", PrepareConstants,
     "Failed to define the constants."},
    {"Script_Prepare() \n", false, 58, "Compiling scripts", Script_Prepare, "Failed to compile the scripts."},
    {"TimeLine_Prepare() \n", false, 70, "Compiling time line actions", TimeLine_Prepare,
     "Failed to compile the actions in the time lines."},
    {"Object_Prepare() \n", false, 72, "Compiling object actions", Object_Prepare,
     "Failed to compile the actions in the objects."},
    {"Room_Prepare() \n", false, 76, "Compiling object actions", Room_Prepare,
     "Failed to compile the actions in the objects."},
    {"Sound_Prepare() \n", true, 80, "Preparing sounds", PrepareSounds, "Failed to prepare the sounds."},
};

}  // namespace

void ShowLoadProgress(int percentage, const char* caption) { LoadFormServices_Get().showProgress(percentage, caption); }

bool PrepareGame() {
  for (const PrepareStep& step : kSteps) {
    if (!step.lineAfterBar) g_debugConsole->Output("%s", step.line);
    ShowLoadProgress(step.percentage, step.caption);
    if (step.lineAfterBar) g_debugConsole->Output("%s", step.line);
    if (!step.run()) {
      ShowMessage(step.failure);
      return false;
    }
  }
  Audio_PrepareBuffers();
  ShowLoadProgress(90, "Preparing graphics");
  g_debugConsole->Output("InitGraphics() \n");
  ShowLoadProgress(100, "Ready");
  LoadFormServices_Get().finish();
  g_debugConsole->Output("Finished PrepareGame() \n");
  return true;
}
