#include "world/start/name_lookups.h"

#include "audio/sound_store.h"
#include "resources/background.h"
#include "resources/font.h"
#include "resources/path.h"
#include "resources/sprite.h"
#include "resources/timeline.h"
#include "script/events/script.h"
#include "script/host/script_host.h"
#include "world/object/object.h"
#include "world/room/room_store.h"

namespace {

// No default case: a kind added without its store does not compile.
ResourceFindFunction StoreFind(ResourceKind kind) {
  switch (kind) {
    case kResourceObject: return Object_Find;
    case kResourceSprite: return Sprite_Find;
    case kResourceSound: return Sound_Find;
    case kResourceBackground: return Background_Find;
    case kResourcePath: return Path_Find;
    case kResourceFont: return Font_Find;
    case kResourceTimeLine: return TimeLine_Find;
    case kResourceScript: return Script_Find;
    case kResourceRoom: return Room_Find;
    case kResourceKindCount: break;
  }
  return nullptr;
}

}  // namespace

void NameLookups_AddTo(ScriptHost* host) {
  for (int32_t kind = 0; kind < kResourceKindCount; ++kind)
    host->resources[kind] = StoreFind(static_cast<ResourceKind>(kind));
}
