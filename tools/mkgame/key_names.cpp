#include "mkgame/key_names.h"

#include <map>

namespace mkgame {

int KeyNames_Find(const std::string& name) {
  static const std::map<std::string, int> keys = [] {
    std::map<std::string, int> k = {
        {"vk_nokey", 0},        {"vk_anykey", 1},     {"vk_backspace", 8}, {"vk_tab", 9},        {"vk_enter", 13},
        {"vk_return", 13},      {"vk_shift", 16},     {"vk_control", 17},  {"vk_alt", 18},       {"vk_pause", 19},
        {"vk_escape", 27},      {"vk_space", 32},     {"vk_pageup", 33},   {"vk_pagedown", 34},  {"vk_end", 35},
        {"vk_home", 36},        {"vk_left", 37},      {"vk_up", 38},       {"vk_right", 39},     {"vk_down", 40},
        {"vk_printscreen", 44}, {"vk_insert", 45},    {"vk_delete", 46},   {"vk_multiply", 106}, {"vk_add", 107},
        {"vk_subtract", 109},   {"vk_decimal", 110},  {"vk_divide", 111},  {"vk_lshift", 160},   {"vk_rshift", 161},
        {"vk_lcontrol", 162},   {"vk_rcontrol", 163}, {"vk_lalt", 164},    {"vk_ralt", 165},
    };
    for (int i = 0; i <= 9; ++i) k["vk_numpad" + std::to_string(i)] = 96 + i;
    for (int i = 1; i <= 12; ++i) k["vk_f" + std::to_string(i)] = 111 + i;
    for (char c = 'A'; c <= 'Z'; ++c) k[std::string("ord_") + c] = c;
    for (char c = '0'; c <= '9'; ++c) k[std::string("ord_") + c] = c;
    return k;
  }();
  auto it = keys.find(name);
  return it == keys.end() ? -1 : it->second;
}

}  // namespace mkgame
