#include "script/events/event_names.h"

#include <gtest/gtest.h>

namespace {

TEST(EventNames, KeysByCodeAndRange) {
  EXPECT_EQ(Event_KeyName(65), "A-key");
  EXPECT_EQ(Event_KeyName(48), "0-key");
  EXPECT_EQ(Event_KeyName(90), "Z-key");
  EXPECT_EQ(Event_KeyName(96), "Keypad-0");
  EXPECT_EQ(Event_KeyName(105), "Keypad-9");
  EXPECT_EQ(Event_KeyName(108), "<unknown>");
  EXPECT_EQ(Event_KeyName(112), "F1");
  EXPECT_EQ(Event_KeyName(123), "F12");
  EXPECT_EQ(Event_KeyName(124), "<unknown>");
  EXPECT_EQ(Event_KeyName(37), "<Left>");
  EXPECT_EQ(Event_KeyName(0), "<no key>");
  EXPECT_EQ(Event_KeyName(200), "<unknown>");
  EXPECT_EQ(Event_KeyName(-65), "<unknown>");
}

TEST(EventNames, MouseOtherAndAsynchronousRanges) {
  EXPECT_EQ(Event_MouseName(61), "Mouse Wheel Down");
  EXPECT_EQ(Event_MouseName(21), "Joystick 1 Button 1");
  EXPECT_EQ(Event_MouseName(43), "Joystick 2 Button 8");
  EXPECT_EQ(Event_MouseName(20), "<unknown>");
  EXPECT_EQ(Event_MouseName(44), "<unknown>");
  EXPECT_EQ(Event_OtherName(40), "Outside View 0");
  EXPECT_EQ(Event_OtherName(57), "Boundary View 7");
  EXPECT_EQ(Event_OtherName(25), "User Defined 15");
  EXPECT_EQ(Event_OtherName(26), "<unknown>");
  EXPECT_EQ(Event_AsyncName(62), "<unknown>");
}

TEST(EventNames, LongNamesForErrorMessages) {
  EXPECT_EQ(Event_Names(0, 0), "Create Event");
  EXPECT_EQ(Event_Names(2, 0), "Alarm Event for alarm 0");
  EXPECT_EQ(Event_Names(3, 2), " Step Event2");
  EXPECT_EQ(Event_Names(4, 3), " Step Event<undefined>");
  EXPECT_EQ(Event_Names(5, 37), "Keyboard Event for <Left> Key");
  EXPECT_EQ(Event_Names(6, 10), "Mouse Event for Mouse Enter");
  EXPECT_EQ(Event_Names(7, 60), "Web Event: Image Loaded");
  EXPECT_EQ(Event_Names(7, 4), "Other Event: Room Start");
  EXPECT_EQ(Event_Names(10, 112), "Key Release Event for F1 Key");
  EXPECT_EQ(Event_Names(11, 0), "<Unknown Event>");
  EXPECT_EQ(Event_Names(100000, 5), "<Unknown Event>");
}

TEST(EventNames, ShortNamesForCompileNames) {
  EXPECT_EQ(Event_ShortName(2, 11), "Alarm 11");
  EXPECT_EQ(Event_ShortName(3, 0), "Step");
  EXPECT_EQ(Event_ShortName(3, 1), "BeginStep");
  EXPECT_EQ(Event_ShortName(3, 2), "EndStep");
  EXPECT_EQ(Event_ShortName(7, 61), "Sound Loaded");
  EXPECT_EQ(Event_ShortName(7, 7), "Animation End");
  EXPECT_EQ(Event_ShortName(9, 65), "press A-key");
  EXPECT_EQ(Event_ShortName(10, 1), "release <any key>");
  EXPECT_EQ(Event_ShortName(-1, 0), "<Unknown Event>");
}

}  // namespace
