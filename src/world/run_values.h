// The run's score-keeping values and what the caption shows: score, lives,
// health, their caption texts and show flags, the cursor sprite and the
// pending room-transition kind. Saved games keep them; the run-state reset
// gives them their start values.
#pragma once

#include <cstdint>

extern int32_t g_score;
extern int32_t g_lives;
extern double g_health;
extern uint8_t g_showScore;
extern uint8_t g_showLives;
extern uint8_t g_showHealth;
// Owned MemoryManager texts; null until the run-state reset.
extern char* g_captionScore;
extern char* g_captionLives;
extern char* g_captionHealth;
extern int32_t g_cursorSprite;
extern int32_t g_transitionKind;

// Replaces an owned caption text with a copy of `text` (null clears it).
void RunValues_SetCaption(char** caption, const char* text);
// Frees the caption texts (program end).
void RunValues_Free();
