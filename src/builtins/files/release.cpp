#include "builtins/files/files.h"

#include "builtins/files/handlers.h"

void FileBuiltins_Release() {
  FileIni_Close();
  FileBinary_CloseAll();
  FileText_CloseAll();
  FileLegacy_Close();
  FileFind_Close();
  FileRegistry_Clear();
}

void FileBuiltins_Prepare() { FileBuiltins_Release(); }
