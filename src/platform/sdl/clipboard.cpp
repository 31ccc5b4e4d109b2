#include "platform/clipboard.h"

#include <SDL.h>

namespace {

// Used while SDL's video system is not running.
struct LocalClipboard {
  bool hasText = false;
  std::string text;
};
LocalClipboard g_local;

// SDL reports an empty clipboard text as no text at all. After we put an
// empty text there we remember it, until the system clipboard shows text
// again (someone else put it there).
bool g_emptyTextSet = false;

bool SystemClipboard() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

}  // namespace

bool Clipboard_HasText() {
  if (!SystemClipboard()) return g_local.hasText;
  if (SDL_HasClipboardText() == SDL_TRUE) {
    g_emptyTextSet = false;
    return true;
  }
  return g_emptyTextSet;
}

std::string Clipboard_GetText() {
  if (!SystemClipboard()) return g_local.hasText ? g_local.text : std::string();
  char* text = SDL_GetClipboardText();
  std::string copy = text == nullptr ? std::string() : std::string(text);
  SDL_free(text);
  if (!copy.empty()) g_emptyTextSet = false;
  return copy;
}

bool Clipboard_SetText(const char* text) {
  const char* bytes = text == nullptr ? "" : text;
  if (!SystemClipboard()) {
    g_local.hasText = true;
    g_local.text = bytes;
    return true;
  }
  bool ok = SDL_SetClipboardText(bytes) == 0;
  g_emptyTextSet = ok && bytes[0] == 0;
  return ok;
}

void Clipboard_Reset() {
  g_local = LocalClipboard();
  g_emptyTextSet = false;
}
