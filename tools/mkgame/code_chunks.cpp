#include "mkgame/code_chunks.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "script/vm/bytecode.h"

namespace mkgame {

namespace {

// The id bits of a variable operand hold the distance to the next reference
// until the loader replaces them with the id; the other bits say how the
// variable is reached and stay. The distance is signed, so this is the
// farthest the next reference may lie.
constexpr int64_t kLargestVariableDistance = 0x0FFFFFFF;

// The file offsets of the instruction words that name one variable or
// function, in file order.
struct Chain {
  std::string name;
  std::vector<size_t> at;
};

class Chains {
 public:
  void Add(const std::string& name, size_t at) {
    auto [it, fresh] = index_.emplace(name, chains_.size());
    if (fresh) chains_.push_back({name, {}});
    chains_[it->second].at.push_back(at);
  }
  const std::vector<Chain>& List() const { return chains_; }

 private:
  std::vector<Chain> chains_;  // in order of first reference
  std::map<std::string, size_t> index_;
};

// Each operand gets the distance to the next reference of its name; the
// last one keeps a distance of 0.
void Link(FileBuilder& out, const Chains& chains, bool variables) {
  for (const Chain& chain : chains.List()) {
    for (size_t i = 0; i < chain.at.size(); ++i) {
      int64_t distance = i + 1 < chain.at.size() ? static_cast<int64_t>(chain.at[i + 1] - chain.at[i]) : 0;
      size_t operand = chain.at[i] + 4;
      if (!variables) {
        out.PatchU32(operand, static_cast<uint32_t>(distance));
        continue;
      }
      if (distance > kLargestVariableDistance) throw std::runtime_error("the compiled code is too large");
      uint32_t kind = out.WordAt(operand) & ~kVMRefIdMask;
      out.PatchU32(operand, kind | static_cast<uint32_t>(distance));
    }
  }
}

void References(FileBuilder& out, const char id[4], const Chains& chains) {
  size_t chunk = out.BeginChunk(id);
  for (const Chain& chain : chains.List()) {
    out.TextOffset(chain.name);
    out.U32(static_cast<uint32_t>(chain.at.size()));
    out.U32(static_cast<uint32_t>(chain.at.front()));
  }
  out.EndChunk(chunk);
}

}  // namespace

void CodeChunks_Write(FileBuilder& out, const CompiledGame& compiled) {
  Chains variables, functions;
  size_t chunk = out.BeginChunk("CODE");
  out.Table(compiled.entries, [&](const CompiledCode& code) {
    out.TextOffset(code.name);
    out.U32(static_cast<uint32_t>(code.bytes.size()));
    size_t base = out.Position();
    out.Raw(code.bytes.data(), code.bytes.size());
    for (const CodeReference& ref : code.references) {
      size_t word = base + ref.at;
      switch (ref.kind) {
        case CodeReference::kString: out.PatchU32(word + 4, out.TextIndex(ref.name)); break;
        case CodeReference::kVariable: variables.Add(ref.name, word); break;
        case CodeReference::kFunction: functions.Add(ref.name, word); break;
      }
    }
  });
  out.EndChunk(chunk);
  Link(out, variables, true);
  Link(out, functions, false);
  References(out, "VARI", variables);
  References(out, "FUNC", functions);
}

}  // namespace mkgame
