// The arithmetic of a metering step.
#include <gtest/gtest.h>

#include "records/metering.h"

namespace orlimo {
namespace {

TEST(Metering, ThirtySecondsApartCreditThirtyAtEverySecondOfADay) {
  // Clock readings are whole seconds; the credited seconds must never come out one short
  // because of the floating-point subtraction of two date values.
  for (const DateTimeFields day : {DateTimeFields{2026, 12, 6}, DateTimeFields{2003, 12, 4},
                                   DateTimeFields{2099, 2, 28}, DateTimeFields{1999, 12, 31}}) {
    std::int64_t midnight = SecondsFromFields(day);
    int wrong = 0;
    for (std::int64_t second = 0; second < 86400; ++second) {
      DateValue stamp = DateFromFields(FieldsFromSeconds(midnight + second));
      DateValue now = DateFromFields(FieldsFromSeconds(midnight + second + 30));
      if (Metering::CreditedSeconds(stamp, now) != 30) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << day.year;
  }
}

TEST(Metering, GapsAreClampedAsTheyAlwaysWere) {
  struct Case {
    std::int64_t gap;
    int credited;
  };
  std::int64_t base = SecondsFromFields({2026, 12, 6, 23, 59, 0});
  for (const Case& c :
       {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{59, 59}, Case{119, 119}, Case{120, 120},
        Case{121, 30}, Case{3600, 30}, Case{86400 * 3, 30}, Case{-1, 0}, Case{-3600, 0}}) {
    DateValue stamp = DateFromFields(FieldsFromSeconds(base));
    DateValue now = DateFromFields(FieldsFromSeconds(base + c.gap));
    EXPECT_EQ(Metering::CreditedSeconds(stamp, now), c.credited) << c.gap;
  }
}

TEST(Metering, UsedMinutesRoundHalvesToEven) {
  struct Case {
    std::int32_t seconds;
    std::int32_t minutes;
  };
  for (const Case& c :
       {Case{0, 0}, Case{29, 0}, Case{30, 0}, Case{31, 1}, Case{90, 2}, Case{150, 2}, Case{510, 8},
        Case{511, 9}, Case{555, 9}, Case{569, 9}, Case{570, 10}, Case{-30, 0}, Case{-90, -2}}) {
    EXPECT_EQ(Metering::UsedMinutesOf(c.seconds), c.minutes) << c.seconds;
  }
}

}  // namespace
}  // namespace orlimo
