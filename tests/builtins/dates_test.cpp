#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

#include "builtin_test_support.h"
#include "builtins/misc/dates.h"
#include "builtins/misc/dates_calendar.h"

namespace {

double Call(BuiltinFunction handler, std::initializer_list<GoldenArg> args) {
  return BuiltinCall(handler, args).Real();
}
std::string Text(BuiltinFunction handler, std::initializer_list<GoldenArg> args) {
  return BuiltinCall(handler, args).Text();
}

double DateTime(double y, double mo, double d, double h, double mi, double s) {
  return Call(F_DateCreateDateTime, {R(y), R(mo), R(d), R(h), R(mi), R(s)});
}

constexpr double kSecond = 1.0 / 86400.0;

// Every case runs with the local zone at UTC and in a zone an hour east
// with daylight saving in summer.
class Dates : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TZ");
    hadZone_ = old != nullptr;
    if (hadZone_) oldZone_ = old;
    setenv("TZ", GetParam(), 1);
    tzset();
  }
  void TearDown() override {
    if (hadZone_) {
      setenv("TZ", oldZone_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  bool Utc() const { return std::string(GetParam()) == "UTC0"; }

 private:
  bool hadZone_ = false;
  std::string oldZone_;
};

TEST_P(Dates, ACreatedMomentReadsBackWholeSecondsInBothConversions) {
  const double noon = DateTime(2000, 1, 1, 12, 0, 0);
  if (Utc()) {
    EXPECT_NEAR(noon, 36526.5 + 0.5 * kSecond, 1e-9);
  }
  EXPECT_EQ(Text(F_DateDateTimeString, {R(noon)}), "01/01/2000 12:00:00");
  EXPECT_EQ(Text(F_DateDateString, {R(noon)}), "01/01/2000");
  EXPECT_EQ(Call(F_DateGetHour, {R(noon)}), 12);
  EXPECT_EQ(Call(F_DateGetMinute, {R(noon)}), 0);
  EXPECT_EQ(Call(F_DateGetSecond, {R(noon)}), 0);
  const double midnight = Call(F_DateCreateDate, {R(2000), R(1), R(1)});
  EXPECT_EQ(Call(F_DateGetDay, {R(midnight)}), 1);
  EXPECT_EQ(Call(F_DateGetMonth, {R(midnight)}), 1);
  EXPECT_EQ(Call(F_DateGetYear, {R(midnight)}), 2000);
  EXPECT_EQ(Call(F_DateGetWeekday, {R(midnight)}), 6);  // a Saturday
  EXPECT_EQ(Text(F_DateDateTimeString, {R(DateTime(2013, 11, 5, 23, 59, 59))}), "05/11/2013 23:59:59");
}

TEST_P(Dates, ATimeOfDayReadsBackInAnyZone) {
  const double time = Call(F_DateCreateTime, {R(13), R(14), R(15)});
  EXPECT_GE(time, 0.0);
  EXPECT_LT(time, 1.0);
  EXPECT_EQ(Call(F_DateGetHour, {R(time)}), 13);
  EXPECT_EQ(Call(F_DateGetMinute, {R(time)}), 14);
  EXPECT_EQ(Call(F_DateGetSecond, {R(time)}), 15);
  EXPECT_EQ(Text(F_DateTimeString, {R(time)}), "13:14:15");
  EXPECT_EQ(Text(F_DateTimeString, {R(Call(F_DateCreateTime, {R(0), R(30), R(0)}))}), "00:30:00");
  EXPECT_NE(time, Call(F_DateCreateTime, {R(13), R(14), R(16)}));
}

TEST_P(Dates, ValidityNeedsWholeRealsInRange) {
  EXPECT_EQ(Call(F_DateValidDate, {R(2000), R(2), R(29)}), 1);
  EXPECT_EQ(Call(F_DateValidDate, {R(2004), R(2), R(29)}), 1);
  EXPECT_EQ(Call(F_DateValidDate, {R(1900), R(2), R(29)}), 0);
  EXPECT_EQ(Call(F_DateValidDate, {R(2001), R(2), R(28.5)}), 0);
  EXPECT_EQ(Call(F_DateValidDate, {R(2001), R(13), R(1)}), 0);
  EXPECT_EQ(Call(F_DateValidDate, {R(-1), R(1), R(1)}), 0);
  EXPECT_EQ(Call(F_DateValidDate, {S("2001"), R(1), R(1)}), 0);
  EXPECT_EQ(Call(F_DateValidDate, {R(2001), R(1)}), 0);
  EXPECT_EQ(Call(F_DateValidDate, {R(1e300), R(1), R(1)}), 0);
  EXPECT_EQ(Call(F_DateValidTime, {R(24), R(0), R(0)}), 0);
  EXPECT_EQ(Call(F_DateValidTime, {R(23), R(59), R(59)}), 1);
  EXPECT_EQ(Call(F_DateValidTime, {R(0), R(-1), R(0)}), 0);
  EXPECT_EQ(Call(F_DateValidTime, {R(0), R(0), R(60)}), 0);
  EXPECT_EQ(Call(F_DateValidDateTime, {R(2000), R(2), R(29), R(23), R(59), R(59)}), 1);
  EXPECT_EQ(Call(F_DateValidDateTime, {R(2000), R(2), R(30), R(23), R(59), R(59)}), 0);
  EXPECT_EQ(Call(F_DateValidDateTime, {R(2000), R(2), R(29), R(23), R(59), R(59.5)}), 0);
}

TEST_P(Dates, IncreasingNormalisesOverflowingFields) {
  const double lateJanuary = DateTime(2001, 1, 31, 12, 0, 0);
  const double month = Call(F_DateIncMonth, {R(lateJanuary), R(1)});
  EXPECT_EQ(Call(F_DateGetMonth, {R(month)}), 3);
  EXPECT_EQ(Call(F_DateGetDay, {R(month)}), 3);
  const double leap = Call(F_DateIncMonth, {R(DateTime(2000, 1, 31, 12, 0, 0)), R(1)});
  EXPECT_EQ(Text(F_DateDateTimeString, {R(leap)}), "02/03/2000 12:00:00");

  EXPECT_EQ(Text(F_DateDateString, {R(Call(F_DateIncDay, {R(lateJanuary), R(0)}))}), "31/01/2001");
  EXPECT_EQ(Text(F_DateDateString, {R(Call(F_DateIncDay, {R(lateJanuary), R(1)}))}), "01/02/2001");
  EXPECT_EQ(Text(F_DateDateString, {R(Call(F_DateIncWeek, {R(lateJanuary), R(-1)}))}), "24/01/2001");
  EXPECT_EQ(Text(F_DateDateString, {R(Call(F_DateIncYear, {R(lateJanuary), R(2.4)}))}), "31/01/2003");

  const double later = Call(F_DateIncHour, {R(lateJanuary), R(13)});
  EXPECT_EQ(Text(F_DateDateTimeString, {R(later)}), "01/02/2001 01:00:00");
  EXPECT_EQ(Call(F_DateGetHour, {R(later)}), 1);
  EXPECT_EQ(Call(F_DateGetSecond, {R(Call(F_DateIncSecond, {R(lateJanuary), R(-1)}))}), 59);
  EXPECT_EQ(Call(F_DateGetMinute, {R(Call(F_DateIncMinute, {R(lateJanuary), R(90)}))}), 30);
}

TEST_P(Dates, PlacesInTheYear) {
  EXPECT_EQ(Call(F_DateGetWeek, {R(DateTime(2010, 1, 1, 12, 0, 0))}), 0);
  EXPECT_EQ(Call(F_DateGetWeek, {R(DateTime(2010, 1, 8, 12, 0, 0))}), 1);
  const double march = DateTime(2000, 3, 1, 5, 6, 7);
  EXPECT_EQ(Call(F_DateGetDayOfYear, {R(march)}), 61);
  const double secondOfYear = ((60.0 * 24 + 5) * 60 + 6) * 60 + 7;
  EXPECT_EQ(Call(F_DateGetSecondOfYear, {R(march)}), secondOfYear);
  EXPECT_EQ(Call(F_DateGetMinuteOfYear, {R(march)}), std::floor(secondOfYear / 60));
  EXPECT_EQ(Call(F_DateGetHourOfYear, {R(march)}), 60 * 24 + 5);
  EXPECT_EQ(Call(F_DateDaysInMonth, {R(DateTime(2000, 2, 10, 0, 0, 1))}), 29);
  EXPECT_EQ(Call(F_DateDaysInMonth, {R(DateTime(2001, 2, 10, 0, 0, 1))}), 28);
  EXPECT_EQ(Call(F_DateDaysInYear, {R(march)}), 366);
  EXPECT_EQ(Call(F_DateLeapYear, {R(DateTime(2100, 6, 1, 0, 0, 1))}), 0);
  EXPECT_EQ(Call(F_DateIsToday, {R(Call(F_DateCurrentDateTime, {}))}), 1);
  EXPECT_EQ(Call(F_DateIsToday, {R(march)}), 0);
}

TEST_P(Dates, SpansAndComparisons) {
  const double a = DateTime(2005, 5, 5, 0, 0, 1);
  const double b = a + 1.5;
  EXPECT_DOUBLE_EQ(Call(F_DateDaySpan, {R(a), R(b)}), 1.5);
  EXPECT_DOUBLE_EQ(Call(F_DateDaySpan, {R(b), R(a)}), 1.5);
  EXPECT_DOUBLE_EQ(Call(F_DateHourSpan, {R(a), R(b)}), 36);
  EXPECT_DOUBLE_EQ(Call(F_DateSecondSpan, {R(a), R(DateTime(2005, 5, 5, 0, 0, 31))}), 30);
  EXPECT_DOUBLE_EQ(Call(F_DateYearSpan, {R(a), R(a + 365.25 * 2)}), 2);

  EXPECT_EQ(Call(F_DateCompareDate, {R(41000.9), R(41000.1)}), 0);
  EXPECT_EQ(Call(F_DateCompareTime, {R(41000.9), R(41000.1)}), 1);
  EXPECT_EQ(Call(F_DateCompareDateTime, {R(41000.1), R(41000.9)}), -1);
  EXPECT_EQ(Call(F_DateCompareDate, {R(41000.1), R(41001.0)}), -1);
  EXPECT_EQ(Call(F_DateDateOf, {R(41000.75)}), 41000);
  EXPECT_DOUBLE_EQ(Call(F_DateTimeOf, {R(41000.75)}), 0.75);
}

TEST_P(Dates, CalendarDatesOutsideTheRangeBecomeTheSecondBefore1970) {
  const double before = Date_FromSeconds(-1);
  EXPECT_EQ(Call(F_DateCreateDate, {R(1969), R(12), R(30)}), before);
  EXPECT_EQ(Call(F_DateCreateDate, {R(3001), R(1), R(2)}), before);
  EXPECT_EQ(Call(F_DateCreateDate, {R(1e12), R(1), R(1)}), before);
  EXPECT_EQ(Call(F_DateCreateDateTime, {R(NAN), R(1), R(1), R(0), R(0), R(0)}), before);
  EXPECT_NE(Call(F_DateCreateDate, {R(2999), R(12), R(30)}), before);
  // Values no calendar holds still give an answer.
  for (double odd : {1e300, -1e300, double(NAN), double(INFINITY)}) {
    Call(F_DateGetYear, {R(odd)});
    Call(F_DateIncMonth, {R(odd), R(1e300)});
    EXPECT_FALSE(Text(F_DateDateTimeString, {R(odd)}).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Zones, Dates, ::testing::Values("UTC0", "CET-1CEST,M3.5.0,M10.5.0/3"),
                         [](const auto& info) { return std::string(info.index == 0 ? "Utc" : "CentralEurope"); });

}  // namespace
