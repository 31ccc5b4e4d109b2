// The extensions may include libffi.
#include <ffi.h>
