#include "world/start/game_stores.h"

#include "resources/background.h"
#include "resources/font.h"
#include "resources/path.h"
#include "resources/sprite.h"
#include "resources/timeline.h"
#include "script/events/script.h"
#include "world/instance/instance.h"
#include "world/object/object.h"
#include "world/room/room_store.h"

void GameStores_Free() {
  Room_Shutdown();
  Instance_DeleteAll();
  Object_Shutdown();
  Sprite_Shutdown();
  Background_Shutdown();
  Font_Shutdown();
  Path_Shutdown();
  TimeLine_Shutdown();
  Script_Finish();
}
