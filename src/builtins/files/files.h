// The file family's life: its tables are emptied when it registers, and
// everything still open is closed, and the open INI flushed, at shutdown, so
// nothing a game wrote is lost.
#pragma once

void FileBuiltins_Prepare();
void FileBuiltins_Release();
