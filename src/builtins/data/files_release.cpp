#include "builtins/data/files.h"

#include "builtins/data/handlers.h"

void FileBuiltins_Release() {
  FileIni_Close();
  FileBinary_CloseAll();
  FileText_CloseAll();
  FileLegacy_Close();
  FileFind_Close();
  FileRegistry_Clear();
}

void FileBuiltins_Prepare() { FileBuiltins_Release(); }
