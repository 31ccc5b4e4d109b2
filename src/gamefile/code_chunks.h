// The compiled-code chunks: CODE (entries of instruction words), VARI and
// FUNC (variable and function references, patched with their ids), and the
// header pre-pass that reads them before the window exists.
#pragma once

#include <cstdint>

#include "runtime/game_image.h"

bool Code_Load(const GameImage& image, uint64_t data, uint32_t size);
// Resolve every name and write its id into each referencing operand. An
// unknown name ends the process with status 1 after its message.
bool VARI_Load(GameImage& image, uint64_t data, uint32_t size);
bool FUNC_Load(GameImage& image, uint64_t data, uint32_t size);

// The pre-pass: STRG, the header names and window, CODE, VARI. Registers
// the built-in functions when it meets the header chunk.
bool LoadGameHeader(GameImage& image);

// What the pre-pass calls at the header chunk to register every built-in.
using BuiltinRegistration = void (*)();
void GameFile_SetBuiltinRegistration(BuiltinRegistration registration);

// Where an unknown name is reported; the default prints the text and ends
// the process with status 1. The game-file fuzz target replaces it: the
// process must go on to the next input.
using UnresolvedNameHandler = void (*)(const char* message);
void GameFile_SetUnresolvedNameHandler(UnresolvedNameHandler handler);
