// A byte stream written out as a whole file, replaced as write_stream.h
// replaces one.
#pragma once

class CStream;

// Writes the stream's first position bytes to path; nothing without a
// buffer or a path.
bool StreamFile_Save(const CStream& stream, const char* path);
