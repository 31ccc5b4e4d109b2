// Opening web addresses with the desktop's handler.
#include <string>

#include "builtins/platform/handlers.h"
#include "builtins/platform/support.h"
#include "graphics/device/graphics.h"
#include "runtime/process.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The address as it is opened: scheme and host in lower case (they are not
// case-sensitive), the path and query as the script wrote them.
std::string WithLowerCaseHost(const char* text) {
  std::string url(text);
  const size_t schemeEnd = url.find("://");
  const size_t hostStart = schemeEnd == std::string::npos ? 0 : schemeEnd + 3;
  size_t hostEnd = url.find_first_of("/?#", hostStart);
  if (hostEnd == std::string::npos) hostEnd = url.size();
  for (size_t i = 0; i < hostEnd; ++i) url[i] = Lower(url[i]);
  return url;
}

// Only web pages are opened: the first seven characters, in lower case,
// are "http://" or "https:/".
bool IsWebAddress(const char* text) {
  std::string prefix;
  for (size_t i = 0; i < 7 && text[i] != 0; ++i) prefix.push_back(Lower(text[i]));
  return prefix == "http://" || prefix == "https:/";
}

}  // namespace

void F_UrlOpen(KV_BUILTIN_PARAMS) {
  Result_SetReal(result, 0.0);
  BuiltinArgs a(argc, args);
  if (!a.IsString(0)) {
    Builtin_Error(kPlatformBadType);
    return;
  }
  if (!IsWebAddress(a.Text(0))) return;
  Graphics::LeaveFullscreen();
  File_ShellExecute(WithLowerCaseHost(a.Text(0)).c_str(), nullptr, nullptr);
}

void F_UrlGetDomain(KV_BUILTIN_PARAMS) { Result_SetText(result, "localhost"); }
