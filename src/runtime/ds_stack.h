// Last-in first-out stack of script values; the top is slot count - 1.
#pragma once

#include <cstdint>

#include "runtime/ds_sequence.h"
#include "runtime/ds_text.h"
#include "runtime/script_value.h"

class CDS_Stack : public DSValueSequence {
 public:
  void Push(const ScriptValue* value);
  // The popped slot stays valid until the next push; null when empty.
  ScriptValue* Pop();
  ScriptValue* Top();
  // A null source clears; copying from itself changes nothing.
  void Copy(const CDS_Stack* source) { CopySequence(source); }

  // Hexadecimal text form, owned by the caller.
  char* WriteText() const { return WriteSequence(kDSTextStack); }
  // False, with the stack unchanged, for a null text or a bad form.
  bool ReadText(const char* text) { return ReadSequence(text, kDSTextStack); }
};
