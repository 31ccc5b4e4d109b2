#include "platform/screen_modes.h"

#include <chrono>
#include <mutex>

#include "platform/backends.h"
#include "platform/exit_restore.h"

namespace {

// Kept on the heap and never freed: the watchdog thread may put the mode
// back while exit() destroys the program's objects.
struct Keeper {
  std::timed_mutex lock;
  ScreenModesFactory factory = ScreenModes_OpenX;
  uint32_t backendChanges = 0;  // the platform's backends this follows
  std::unique_ptr<IScreenModes> server;
  bool opened = false;
  ScreenMode start;       // the mode found before any change
  bool changed = false;   // the server's mode is not `start`
  bool finished = false;  // put back: no more changes
};

Keeper& State() {
  static Keeper* keeper = new Keeper;
  return *keeper;
}

// A change of the platform's backends (tests choosing a fake server)
// starts the keeper over, nothing recorded.
void FollowBackends(Keeper& k) {
  const uint32_t changes = PlatformBackends_Changes();
  if (changes == k.backendChanges) return;
  k.backendChanges = changes;
  const ScreenModesFactory fake = PlatformBackends_Get().screenModes;
  k.factory = fake != nullptr ? fake : ScreenModes_OpenX;
  k.server.reset();
  k.opened = false;
  k.changed = false;
  k.finished = false;
}

// The connection, opened on first use, with the mode found then.
IScreenModes* Server(Keeper& k) {
  FollowBackends(k);
  if (!k.opened) {
    k.opened = true;
    if (k.factory != nullptr) k.server = k.factory();
    if (k.server != nullptr && (!k.server->Current(&k.start) || k.server->Listed().empty())) k.server.reset();
  }
  return k.server.get();
}

int32_t Field(int32_t asked, int32_t current) { return asked > 0 ? asked : current; }

// The listed mode a request names, fields left out taken from the current
// mode; a rate left out that the size does not offer becomes the first it
// does.
bool Resolve(IScreenModes* server, const ScreenMode& request, ScreenMode* mode) {
  ScreenMode current;
  if (server == nullptr || !server->Current(&current)) return false;
  const ScreenMode wanted{Field(request.width, current.width), Field(request.height, current.height),
                          Field(request.frequency, current.frequency),
                          Field(request.bitsPerPixel, current.bitsPerPixel)};
  bool found = false;
  for (const ScreenMode& listed : server->Listed()) {
    if (listed.width != wanted.width || listed.height != wanted.height || listed.bitsPerPixel != wanted.bitsPerPixel) {
      continue;
    }
    if (listed.frequency == wanted.frequency) {
      *mode = listed;
      return true;
    }
    if (!found && request.frequency <= 0) {
      *mode = listed;
      found = true;
    }
  }
  return found;
}

}  // namespace

bool ScreenModes_Changeable() {
  Keeper& k = State();
  std::lock_guard<std::timed_mutex> hold(k.lock);
  return Server(k) != nullptr;
}

bool ScreenModes_Current(ScreenMode* mode) {
  Keeper& k = State();
  std::lock_guard<std::timed_mutex> hold(k.lock);
  IScreenModes* server = Server(k);
  return server != nullptr && server->Current(mode);
}

bool ScreenModes_Test(const ScreenMode& request) {
  Keeper& k = State();
  std::lock_guard<std::timed_mutex> hold(k.lock);
  ScreenMode mode;
  return Resolve(Server(k), request, &mode);
}

bool ScreenModes_Set(const ScreenMode& request) {
  Keeper& k = State();
  std::lock_guard<std::timed_mutex> hold(k.lock);
  IScreenModes* server = Server(k);
  ScreenMode mode, current;
  if (k.finished || !Resolve(server, request, &mode) || !server->Current(&current)) return false;
  if (mode == current) return true;
  ExitRestore_Add(ScreenModes_PutBack);
  k.changed = true;
  return server->Apply(mode) && server->Current(&current) && current == mode;
}

void ScreenModes_PutBack() {
  Keeper& k = State();
  // A main thread stuck inside a server call must not keep the mode from
  // being put back for long.
  std::unique_lock<std::timed_mutex> hold(k.lock, std::chrono::seconds(1));
  k.finished = true;
  if (!k.changed || k.factory == nullptr) return;
  // A connection of its own: this may run on another thread than the one
  // that made the change.
  std::unique_ptr<IScreenModes> server = k.factory();
  if (server != nullptr && server->Apply(k.start)) k.changed = false;
}
