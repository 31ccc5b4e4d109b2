// A small assembler for hand-built machine code, and a runner that treats
// machine errors as the process end they are.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "runtime/console.h"
#include "runtime/run_flags.h"
#include "script/compiler/code.h"
#include "script/events/error_report.h"
#include "script/vm/bytecode.h"
#include "script/vm/vm.h"

// Short names for the type codes, which hand-written code reads best with.
constexpr uint8_t kD = kVMDouble, kI = kVMInt, kL = kVMLong, kB = kVMBool, kV = kVMVariant, kS = kVMString,
                  kE = kVMShort;

class Asm {
 public:
  Asm& W(uint32_t word) {
    uint8_t b[4];
    std::memcpy(b, &word, 4);
    bytes_.insert(bytes_.end(), b, b + 4);
    return *this;
  }
  static uint32_t Op(uint8_t op, uint8_t t1 = 0, uint8_t t2 = 0, int32_t data = 0) {
    return (uint32_t{op} << 24) | (uint32_t{t2} << 20) | (uint32_t{t1} << 16) | (static_cast<uint32_t>(data) & 0xFFFF);
  }
  Asm& Short(int16_t v) { return W(Op(kOpPush, kE, 0, v)); }
  Asm& Int(int32_t v) { return W(Op(kOpPush, kI)).W(static_cast<uint32_t>(v)); }
  Asm& Double(double v) {
    uint32_t w[2];
    std::memcpy(w, &v, 8);
    return W(Op(kOpPush, kD)).W(w[0]).W(w[1]);
  }
  Asm& Str(int32_t index) { return W(Op(kOpPush, kS)).W(static_cast<uint32_t>(index)); }
  // A simple variable: selector in the word.
  Asm& PushVar(int16_t selector, int32_t id) { return W(Op(kOpPush, kV, 0, selector)).W(Ref(id, true, true)); }
  Asm& PopVar(int16_t selector, int32_t id, uint8_t type) {
    return W(Op(kOpPop, kV, type, selector)).W(Ref(id, true, true));
  }
  // Selector (and index) from the stack.
  Asm& PushVarStack(int32_t id, bool indexed) { return W(Op(kOpPush, kV)).W(Ref(id, !indexed, false)); }
  Asm& PopVarStack(int32_t id, bool indexed, uint8_t type) {
    return W(Op(kOpPop, kV, type)).W(Ref(id, !indexed, false));
  }
  Asm& Bin(uint8_t op, uint8_t right, uint8_t left) { return W(Op(op, right, left)); }
  Asm& Conv(uint8_t from, uint8_t to) { return W(Op(kOpConv, from, to)); }
  Asm& Call(int32_t id, int32_t argc) { return W(Op(kOpCall, kI, 0, argc)).W(static_cast<uint32_t>(id)); }
  // Branches by word offset from this instruction.
  Asm& Branch(uint8_t op, int32_t words) { return W((uint32_t{op} << 24) | (static_cast<uint32_t>(words) & 0xFFFFFF)); }
  int32_t Here() const { return static_cast<int32_t>(bytes_.size()); }
  // Rewrites the branch at byte offset `at` to land on `target`.
  void Patch(int32_t at, int32_t target) {
    uint32_t word;
    std::memcpy(&word, &bytes_[static_cast<size_t>(at)], 4);
    word = (word & 0xFF000000u) | (static_cast<uint32_t>((target - at) / 4) & 0xFFFFFF);
    std::memcpy(&bytes_[static_cast<size_t>(at)], &word, 4);
  }
  static uint32_t Ref(int32_t id, bool noIndex, bool inWord) {
    return static_cast<uint32_t>(id) | (noIndex ? kVMRefNoIndex : 0) | (inWord ? kVMRefSelectorInWord : 0);
  }
  VMBuffer* Buffer() {
    if (buffer_ == nullptr) buffer_ = std::make_unique<VMBuffer>();
    buffer_->bytes = bytes_.data();
    buffer_->size = static_cast<int32_t>(bytes_.size());
    return buffer_.get();
  }

 private:
  std::vector<uint8_t> bytes_;
  std::unique_ptr<VMBuffer> buffer_;
};

// Error output goes to standard error so death tests can match it.
class StderrConsole : public tagIConsole {
 public:
  bool AlwaysTrue(int) override { return true; }
  void Output(const char* format, ...) override __attribute__((format(printf, 2, 3))) {
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
  }
};

inline void PrepareToDie() {
  static StderrConsole console;
  g_debugConsole = &console;
  g_runFlags.showErrorDialog = false;
  Error_ResetState();
}
