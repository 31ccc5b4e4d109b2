#include "world/run_values.h"

#include "runtime/memory.h"
#include "runtime/text.h"

int32_t g_score = 0;
int32_t g_lives = -1;
double g_health = 100.0;
uint8_t g_showScore = 0;
uint8_t g_showLives = 0;
uint8_t g_showHealth = 0;
char* g_captionScore = nullptr;
char* g_captionLives = nullptr;
char* g_captionHealth = nullptr;
int32_t g_cursorSprite = -1;
int32_t g_transitionKind = 0;

void RunValues_SetCaption(char** caption, const char* text) {
  if (*caption != nullptr) MemoryManager::Free(*caption);
  *caption = text == nullptr ? nullptr : String_Duplicate(text);
}

void RunValues_Free() {
  RunValues_SetCaption(&g_captionScore, nullptr);
  RunValues_SetCaption(&g_captionLives, nullptr);
  RunValues_SetCaption(&g_captionHealth, nullptr);
}
