#include "script/events/event_names.h"

#include <cstdio>

#include "script/events/event.h"
#include "script/events/event_perform.h"

namespace {

constexpr const char* kUnknown = "<unknown>";
// Event names were built in a 512-byte buffer: they stay within 511 bytes.
constexpr size_t kNameLimit = 511;

struct NumberedName {
  int32_t number;
  const char* name;
};

const NumberedName kKeys[] = {
    {0, "<no key>"},   {1, "<any key>"},    {8, "<Backspace>"}, {9, "<Tab>"},      {13, "<Enter>"},
    {16, "<Shift>"},   {17, "<Ctrl>"},      {18, "<Alt>"},      {27, "<Escape>"},  {32, "<Space>"},
    {33, "<Page Up>"}, {34, "<Page Down>"}, {35, "<End>"},      {36, "<Home>"},    {37, "<Left>"},
    {38, "<Up>"},      {39, "<Right>"},     {40, "<Down>"},     {45, "<Insert>"},  {46, "<Delete>"},
    {106, "Keypad *"}, {107, "Keypad +"},   {109, "Keypad -"},  {110, "Keypad ."}, {111, "Keypad /"},
};

const NumberedName kMouse[] = {
    {0, "Left Button"},           {1, "Right Button"},         {2, "Middle Button"},       {3, "No Button"},
    {4, "Left Pressed"},          {5, "Right Pressed"},        {6, "Middle Pressed"},      {7, "Left Released"},
    {8, "Right Released"},        {9, "Middle Released"},      {10, "Mouse Enter"},        {11, "Mouse Leave"},
    {16, "Joystick 1 Left"},      {17, "Joystick 1 Right"},    {18, "Joystick 1 Up"},      {19, "Joystick 1 Down"},
    {31, "Joystick 2 Left"},      {32, "Joystick 2 Right"},    {33, "Joystick 2 Up"},      {34, "Joystick 2 Down"},
    {50, "Glob Left Button"},     {51, "Glob Right Button"},   {52, "Glob Middle Button"}, {53, "Glob Left Pressed"},
    {54, "Glob Right Pressed"},   {55, "Glob Middle Pressed"}, {56, "Glob Left Released"}, {57, "Glob Right Released"},
    {58, "Glob Middle Released"}, {60, "Mouse Wheel Up"},      {61, "Mouse Wheel Down"},
};

const NumberedName kOther[] = {
    {0, "Outside Room"}, {1, "Intersect Boundary"}, {2, "Game Start"},    {3, "Game End"},
    {4, "Room Start"},   {5, "Room End"},           {6, "No More Lives"}, {7, "Animation End"},
    {8, "End Of Path"},  {9, "No More Health"},     {30, "Close Button"},
};

template <size_t N>
const char* Lookup(const NumberedName (&table)[N], int32_t number) {
  for (const NumberedName& entry : table) {
    if (entry.number == number) return entry.name;
  }
  return nullptr;
}

std::string Format(const char* format, int32_t value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Limit(std::string name) {
  if (name.size() > kNameLimit) name.resize(kNameLimit);
  return name;
}

// Numbers 60 and up of type "other" are asynchronous events.
std::string OtherOrAsync(int32_t number) { return number >= 60 ? Event_AsyncName(number) : Event_OtherName(number); }

}  // namespace

std::string Event_KeyName(int32_t key) {
  if ((key >= 48 && key <= 57) || (key >= 65 && key <= 90)) return Format("%c-key", key);
  if (key >= 96 && key <= 105) return Format("Keypad-%d", key - 96);
  if (key >= 112 && key <= 123) return Format("F%d", key - 111);
  const char* name = Lookup(kKeys, key);
  return name != nullptr ? name : kUnknown;
}

std::string Event_MouseName(int32_t number) {
  if (number >= 21 && number <= 28) return Format("Joystick 1 Button %d", number - 20);
  if (number >= 36 && number <= 43) return Format("Joystick 2 Button %d", number - 35);
  const char* name = Lookup(kMouse, number);
  return name != nullptr ? name : kUnknown;
}

std::string Event_OtherName(int32_t number) {
  if (number >= 10 && number <= 25) return Format("User Defined %d", number - 10);
  if (number >= 40 && number <= 47) return Format("Outside View %d", number - 40);
  if (number >= 50 && number <= 57) return Format("Boundary View %d", number - 50);
  const char* name = Lookup(kOther, number);
  return name != nullptr ? name : kUnknown;
}

std::string Event_AsyncName(int32_t number) {
  if (number == 60) return "Image Loaded";
  if (number == 61) return "Sound Loaded";
  return kUnknown;
}

std::string Event_StepKindName(int32_t number) {
  if (number == 1) return "Begin";
  if (number == 2) return "End";
  return "";
}

std::string Event_Names(int32_t type, int32_t number) {
  switch (type) {
    case kEventCreate: return "Create Event";
    case kEventDestroy: return "Destroy Event";
    case kEventAlarm: return Format("Alarm Event for alarm %d", number);
    case kEventStep: return Format(" Step Event%d", number);
    case kEventCollision: return Limit(" Step Event" + Event_ObjectName(number));
    case kEventKeyboard: return "Keyboard Event for " + Event_KeyName(number) + " Key";
    case kEventMouse: return "Mouse Event for " + Event_MouseName(number);
    case kEventOther:
      return number >= 60 ? "Web Event: " + Event_AsyncName(number) : "Other Event: " + Event_OtherName(number);
    case kEventDraw: return "Draw Event";
    case kEventKeyPress: return "Key Press Event for " + Event_KeyName(number) + " Key";
    case kEventKeyRelease: return "Key Release Event for " + Event_KeyName(number) + " Key";
    default: return "<Unknown Event>";
  }
}

std::string Event_ShortName(int32_t type, int32_t number) {
  switch (type) {
    case kEventCreate: return "Create";
    case kEventDestroy: return "Destroy";
    case kEventAlarm: return Format("Alarm %d", number);
    case kEventStep: return Event_StepKindName(number) + "Step";
    case kEventCollision: return Limit(Event_ObjectName(number));
    case kEventKeyboard: return Event_KeyName(number);
    case kEventMouse: return Event_MouseName(number);
    case kEventOther: return OtherOrAsync(number);
    case kEventDraw: return "Draw";
    case kEventKeyPress: return "press " + Event_KeyName(number);
    case kEventKeyRelease: return "release " + Event_KeyName(number);
    default: return "<Unknown Event>";
  }
}
