// The asynchronous HTTP requests as the stores above the shell see them: a
// GET names the address and two functions of the caller's, the completion
// that turns the finished request into an asynchronous-event map and the
// clean-up of its argument. The service list installs the real table;
// tests may install a recording one.
#pragma once

#include <cstdint>

#include "runtime/service_seam.h"
#include "shell/http_request.h"

struct HttpServices {
  void (*get)(const char* address, int32_t kind, HttpCompletionFn completion, HttpCleanupFn cleanup, void* argument);
};

inline ServiceSeam<HttpServices> g_httpServices{"HTTP requests"};
inline void HttpServices_Install(const HttpServices* services) { g_httpServices.Install(services); }
inline const HttpServices& HttpServices_Get() { return g_httpServices.Get(); }

// Requests go out through HTTP_Get.
const HttpServices& HttpServices_Real();
