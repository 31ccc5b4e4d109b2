#include "mkgame/debug_file.h"

#include "mkgame/file_builder.h"

namespace mkgame {

namespace {

void Write(FileBuilder& out, const CompiledGame& compiled) {
  out.Raw("FORM", 4);
  out.U32(0);
  for (const CompiledCode& code : compiled.entries) out.AddText(code.source);
  out.WriteStrings();
  size_t chunk = out.BeginChunk("DBGI");
  out.Table(compiled.entries, [&](const CompiledCode& code) {
    out.U32(static_cast<uint32_t>(code.pairs.size() / 8));
    out.Raw(code.pairs.data(), code.pairs.size());
  });
  out.EndChunk(chunk);
  chunk = out.BeginChunk("SCPT");
  out.Table(compiled.entries, [&](const CompiledCode& code) { out.TextOffset(code.source); });
  out.EndChunk(chunk);
  out.Finish();
}

}  // namespace

std::vector<uint8_t> DebugFile_Write(const CompiledGame& compiled) {
  FileBuilder collect;
  Write(collect, compiled);
  FileBuilder out(collect.Texts());
  Write(out, compiled);
  return out.Bytes();
}

}  // namespace mkgame
