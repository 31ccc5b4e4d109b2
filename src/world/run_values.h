// The run state that scripts reach through built-in variables and that
// saved games keep: score, lives and health with their captions and show
// flags, the cursor sprite, the pending transition kind and step count, and
// the few values other layers fill in (the asynchronous event's map, the
// display's antialiasing level and the view being drawn).
#pragma once

#include <cstdint>

extern int32_t g_score;
extern int32_t g_lives;
extern double g_health;
extern uint8_t g_showScore;
extern uint8_t g_showLives;
extern uint8_t g_showHealth;
// Set by show_score and by the caption action: the window caption is ours.
extern uint8_t g_captionSet;
// Owned texts; RunValues_Reset makes them.
extern char* g_captionScore;
extern char* g_captionLives;
extern char* g_captionHealth;
extern int32_t g_cursorSprite;
extern int32_t g_transitionKind;
// Frames of a room transition, never below 1.
extern int32_t g_transitionSteps;
// The map of the asynchronous event being run; -1 outside one.
extern int32_t g_asyncLoad;
extern int32_t g_displayAA;
extern int32_t g_viewCurrent;

// The start-up values: score 0, lives -1, health 100, nothing shown, no
// cursor sprite, transition kind 0, the default captions.
void RunValues_Reset();
// Frees the captions (program end).
void RunValues_Free();

// Replaces an owned text, reusing its buffer when it is large enough; null
// text empties it.
void RunValues_SetText(char** slot, const char* text);
