#include "world/run_values.h"

#include <cstring>
#include <initializer_list>

#include "runtime/memory.h"

int32_t g_score = 0;
int32_t g_lives = -1;
double g_health = 100.0;
uint8_t g_showScore = 0;
uint8_t g_showLives = 0;
uint8_t g_showHealth = 0;
uint8_t g_captionSet = 0;
char* g_captionScore = nullptr;
char* g_captionLives = nullptr;
char* g_captionHealth = nullptr;
int32_t g_cursorSprite = -1;
int32_t g_transitionKind = 0;
int32_t g_transitionSteps = 1;
int32_t g_asyncLoad = -1;
int32_t g_displayAA = 0;
int32_t g_viewCurrent = 0;

void RunValues_SetText(char** slot, const char* text) {
  if (text == nullptr) text = "";
  size_t bytes = std::strlen(text) + 1;
  if (*slot != nullptr && MemoryManager::GetSize(*slot) >= bytes) {
    std::memmove(*slot, text, bytes);
    return;
  }
  char* copy = static_cast<char*>(KV_ALLOC(bytes, false));
  std::memcpy(copy, text, bytes);
  MemoryManager::Free(*slot);
  *slot = copy;
}

void RunValues_Reset() {
  RunValues_SetText(&g_captionScore, "Score: '");
  RunValues_SetText(&g_captionLives, "Lives: ");
  RunValues_SetText(&g_captionHealth, "Health: ");
  g_transitionKind = 0;
  g_score = 0;
  g_showScore = g_showLives = g_showHealth = 0;
  g_lives = -1;
  g_health = 100.0;
  g_cursorSprite = -1;
}

void RunValues_Free() {
  for (char** slot : {&g_captionScore, &g_captionLives, &g_captionHealth}) {
    MemoryManager::Free(*slot);
    *slot = nullptr;
  }
}
