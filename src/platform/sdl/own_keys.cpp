#include "platform/sdl/own_keys.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "platform/sdl/event_translator.h"

namespace {

struct OwnKey {
  Uint32 type;
  int32_t virtualKey;
  Uint32 timestamp;
};
std::deque<OwnKey> g_ownKeys;
// How long a key typed into one of this program's windows may take to come
// back; one typed elsewhere never does.
constexpr Uint32 kEchoWait = 200;

bool IsOwn(const SDL_Event& event, const OwnKey& own) {
  return event.type == own.type && event.key.timestamp == own.timestamp &&
         Translator_VirtualKey(event.key.keysym.sym, event.key.keysym.scancode) == own.virtualKey;
}

// The queued events of that kind and key, oldest first.
std::vector<SDL_Event> Queued(Uint32 type, int32_t virtualKey) {
  std::vector<SDL_Event> queued(512);
  const int count = SDL_PeepEvents(queued.data(), static_cast<int>(queued.size()), SDL_PEEKEVENT, type, type);
  queued.resize(static_cast<size_t>(std::max(count, 0)));
  std::erase_if(queued, [&](const SDL_Event& event) {
    return Translator_VirtualKey(event.key.keysym.sym, event.key.keysym.scancode) != virtualKey;
  });
  return queued;
}

}  // namespace

OwnKeyWatch OwnKeys_Watch(int32_t virtualKey, bool release) {
  OwnKeyWatch watch;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetKeyboardFocus() == nullptr) return watch;
  SDL_PumpEvents();
  watch.type = release ? SDL_KEYUP : SDL_KEYDOWN;
  watch.virtualKey = virtualKey;
  watch.before = Queued(watch.type, virtualKey).size();
  watch.watching = true;
  return watch;
}

// The key typed comes back as the first of its kind queued after the ones
// there before.
void OwnKeys_Expect(const OwnKeyWatch& watch) {
  if (!watch.watching) return;
  const Uint64 start = SDL_GetTicks64();
  while (true) {
    SDL_PumpEvents();
    const std::vector<SDL_Event> queued = Queued(watch.type, watch.virtualKey);
    if (queued.size() > watch.before) {
      g_ownKeys.push_back(OwnKey{watch.type, watch.virtualKey, queued[watch.before].key.timestamp});
      return;
    }
    if (SDL_GetTicks64() - start >= kEchoWait) return;
    SDL_Delay(1);
  }
}

bool OwnKeys_Pending() { return !g_ownKeys.empty(); }

bool OwnKeys_Take(const SDL_Event& event) {
  if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return false;
  while (!g_ownKeys.empty() && SDL_TICKS_PASSED(event.key.timestamp, g_ownKeys.front().timestamp) &&
         event.key.timestamp != g_ownKeys.front().timestamp) {
    g_ownKeys.pop_front();
  }
  for (auto own = g_ownKeys.begin(); own != g_ownKeys.end(); ++own) {
    if (IsOwn(event, *own)) {
      g_ownKeys.erase(own);
      return true;
    }
  }
  return false;
}
