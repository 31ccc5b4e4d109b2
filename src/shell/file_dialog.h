// The player's own file dialogs: open (an existing file anywhere) and save
// as (a name inside the game's save folder). They draw over the game's
// window, or in a small window of their own before there is one; headless
// (or with no desktop) they take the typed name from the scripted answers.
//
// A filter is "description|patterns|description|patterns...", patterns
// separated by ";". The current folder of the process is the same after a
// dialog as before it.
#pragma once

#include <string>
#include <vector>

#include "shell/file_browser.h"

struct FileFilter {
  std::string description;
  std::string patterns;  // "" lists every file
};

// The filter's pairs in order. A missing pattern lists every file; pairs
// with neither text are dropped, and when none is left there is one that
// lists every file.
std::vector<FileFilter> FileDialog_ParseFilter(const char* filter);

// The save dialog's default extension as its console line shows it: the
// text after the first "." that follows the first "|", up to the next "|".
// False when there is none.
bool FileDialog_DefaultExtension(const char* filter, std::string* text);
// What is added to a bare name: the text up to a ";", nothing when it holds
// "*" or "?".
std::string FileDialog_ExtensionToAdd(const std::string& text);

// Both dialogs answer true with the chosen file's full path, false when the
// dialog was cancelled. A null or empty title shows "Open" or "Save As".
// The initial folder and default name may be null. Headless the title is
// printed and the next scripted answer is the name typed: none, an empty
// one, "Cancel" or one the dialog refuses cancels.
bool Win_GetOpenFileName(const char* filter, const char* defaultName, const char* initialFolder, const char* title,
                         std::string* path);
// Prints "pDefExt = <extension>" first ("(null)" when there is none). The
// dialog stays inside the save folder and asks before replacing a file
// (headless: the next scripted answer, "Yes" replaces); a bare name (no
// "." in its last part) gets the default extension.
bool Win_GetSaveFileName(const char* filter, const char* defaultName, const char* initialFolder, const char* title,
                         std::string* path);

// ---- shared by the dialog's drawing and its headless form

enum class FileDialogKind { kOpen, kSave };

// One dialog's state: what it browses and how it judges a typed name.
struct FileDialogSession {
  FileDialogKind kind;
  FileBrowser browser;
  std::vector<FileFilter> filters;
  std::string extension;  // added to a bare name when saving

  FileDialogDecision Decide(const std::string& typed) const;
};

// The question asked before replacing a file.
std::string FileDialog_ReplaceQuestion(const std::string& path);
