#include "platform/leak_check.h"

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>
#include <link.h>

#include <cstddef>

namespace {

int KeepLoaded(dl_phdr_info* info, size_t, void*) {
  if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
    dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
  }
  return 0;
}

}  // namespace

// Read by the leak checker at its start: blocks whose allocation passed
// through the desktop bus library or the GL driver are theirs to keep.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\nleak:_dri.so\nleak:libgallium\n"; }

void LeakCheck_KeepLibrariesLoaded() { dl_iterate_phdr(KeepLoaded, nullptr); }
#else
void LeakCheck_KeepLibrariesLoaded() {}
#endif
