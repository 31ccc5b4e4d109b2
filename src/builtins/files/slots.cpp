#include "builtins/files/slots.h"

int32_t FileSlot_Handle(const BuiltinArgs& args, int32_t index) {
  if (!args.IsReal(index)) return 0;
  const int32_t handle = args.Int(index);
  return handle >= 1 && handle < kFileSlots ? handle : 0;
}
