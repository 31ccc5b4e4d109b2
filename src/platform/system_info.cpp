#include "platform/system_info.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

#include <cstdint>
#include <cstdlib>

std::string SystemInfo_LanguageOf(const char* setting) {
  if (setting == nullptr) return "--";
  std::string code;
  for (const char* p = setting; *p != 0 && *p != '_' && *p != '.' && *p != '@'; ++p) {
    if (*p < 'a' || *p > 'z' || code.size() == 3) return "--";
    code.push_back(*p);
  }
  return code.size() >= 2 ? code : "--";
}

std::string SystemInfo_LanguageCode() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] != 0) return SystemInfo_LanguageOf(value);
  }
  return "--";
}

bool SystemInfo_NetworkConnected() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  bool connected = false;
  for (const ifaddrs* entry = list; entry != nullptr && !connected; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr) continue;
    const int family = entry->ifa_addr->sa_family;
    if (family != AF_INET && family != AF_INET6) continue;
    connected = (entry->ifa_flags & IFF_UP) != 0 && (entry->ifa_flags & IFF_LOOPBACK) == 0;
  }
  freeifaddrs(list);
  return connected;
}

int32_t SystemInfo_WindowsVersion() { return -1; }
