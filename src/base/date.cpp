#include "base/date.h"

#include <cmath>
#include <cstdio>

namespace orlimo {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(std::int64_t days, DateTimeFields& fields) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  fields.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  fields.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  fields.year = static_cast<int>(yearOfEra + era * 400 + (fields.month <= 2 ? 1 : 0));
}

const std::int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

std::int64_t DayNumber(const DateTimeFields& fields) {
  return DaysFromCivil(fields.year, fields.month, fields.day) - kEpochDays;
}

std::int64_t SecondOfDay(const DateTimeFields& fields) {
  return std::int64_t{fields.hour} * 3600 + std::int64_t{fields.minute} * 60 + fields.second;
}

void SetTimeOfDay(std::int64_t secondOfDay, DateTimeFields& fields) {
  fields.hour = static_cast<int>(secondOfDay / 3600);
  fields.minute = static_cast<int>(secondOfDay / 60 % 60);
  fields.second = static_cast<int>(secondOfDay % 60);
}

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Windows' default window for two-digit years: 30 to 99 are 1930 to 1999, 00 to 29 are 2000 to
// 2029 ("yy-MM-dd" is one of the short date forms a Korean Control Panel offers).
int YearOfTwoDigits(int year) {
  return year < 30 ? 2000 + year : 1900 + year;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

DateValue DateFromFields(const DateTimeFields& fields) {
  const double days = static_cast<double>(DayNumber(fields));
  const double time =
      static_cast<double>(SecondOfDay(fields)) / static_cast<double>(kSecondsPerDay);
  // Before the epoch the whole days are negative and the time of day is still counted forwards.
  return days >= 0 ? days + time : days - time;
}

DateTimeFields FieldsFromDate(DateValue date) {
  // Far beyond any real clock reading; keeps the conversions defined for any input.
  constexpr double kLimit = 1e9;
  if (!std::isfinite(date)) date = 0.0;
  if (date > kLimit) date = kLimit;
  if (date < -kLimit) date = -kLimit;
  const double whole = std::trunc(date);
  std::int64_t days = static_cast<std::int64_t>(whole);
  const double time = std::fabs(date - whole);
  std::int64_t second = std::llround(time * static_cast<double>(kSecondsPerDay));
  if (second >= kSecondsPerDay) {
    second -= kSecondsPerDay;
    ++days;
  }
  DateTimeFields fields;
  CivilFromDays(days + kEpochDays, fields);
  SetTimeOfDay(second, fields);
  return fields;
}

std::int64_t SecondsFromFields(const DateTimeFields& fields) {
  return DayNumber(fields) * kSecondsPerDay + SecondOfDay(fields);
}

DateTimeFields FieldsFromSeconds(std::int64_t seconds) {
  std::int64_t days = seconds / kSecondsPerDay;
  std::int64_t second = seconds % kSecondsPerDay;
  if (second < 0) {
    second += kSecondsPerDay;
    --days;
  }
  DateTimeFields fields;
  CivilFromDays(days + kEpochDays, fields);
  SetTimeOfDay(second, fields);
  return fields;
}

Text TimestampText(const DateTimeFields& fields) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", fields.year, fields.month,
                fields.day, fields.hour, fields.minute, fields.second);
  Text text;
  for (const char* c = buffer; *c != '\0'; ++c) text += static_cast<char16_t>(*c);
  return text;
}

Text TimestampText(DateValue date) {
  return TimestampText(FieldsFromDate(date));
}

namespace {

enum class Designator { None, Am, Pm };

// A cursor over the date text. Each reader either consumes what it read or leaves the position
// where it was.
class DateReader {
 public:
  explicit DateReader(TextView text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }

  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == u' ' || text_[pos_] == u'\t')) ++pos_;
  }

  // Reads one to maxDigits decimal digits.
  bool ReadNumber(std::size_t maxDigits, int& value, std::size_t& digits) {
    std::size_t at = pos_;
    int read = 0;
    while (at < text_.size() && text_[at] >= u'0' && text_[at] <= u'9') {
      if (at - pos_ == maxDigits) return false;
      read = read * 10 + (text_[at] - u'0');
      ++at;
    }
    if (at == pos_) return false;
    digits = at - pos_;
    value = read;
    pos_ = at;
    return true;
  }

  bool ReadChar(char16_t c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  bool ReadSeparator(char16_t& separator) {
    if (pos_ < text_.size() &&
        (text_[pos_] == u'-' || text_[pos_] == u'/' || text_[pos_] == u'.')) {
      separator = text_[pos_++];
      return true;
    }
    return false;
  }

  Designator ReadDesignator() {
    const TextView rest = text_.substr(pos_);
    if (rest.starts_with(u"오전")) {
      pos_ += 2;
      return Designator::Am;
    }
    if (rest.starts_with(u"오후")) {
      pos_ += 2;
      return Designator::Pm;
    }
    if (rest.size() >= 2 && (rest[1] == u'M' || rest[1] == u'm')) {
      if (rest[0] == u'A' || rest[0] == u'a') {
        pos_ += 2;
        return Designator::Am;
      }
      if (rest[0] == u'P' || rest[0] == u'p') {
        pos_ += 2;
        return Designator::Pm;
      }
    }
    return Designator::None;
  }

  // Year-month-day with '-', '/' or '.' ("2003. 12. 4." may end in a dot), the year in four
  // digits or in two ("03-12-04"), or month/day/year.
  bool ReadDate(DateTimeFields& fields) {
    const std::size_t start = pos_;
    if (ReadDateParts(fields)) return true;
    pos_ = start;
    return false;
  }

  // h:mm or h:mm:ss with the 12-hour designator before or after it, or none.
  bool ReadTime(DateTimeFields& fields) {
    Designator designator = ReadDesignator();
    SkipBlanks();
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::size_t digits = 0;
    if (!ReadNumber(2, hour, digits) || !ReadChar(u':')) return false;
    if (!ReadNumber(2, minute, digits)) return false;
    if (ReadChar(u':') && !ReadNumber(2, second, digits)) return false;
    if (designator == Designator::None) {
      SkipBlanks();
      designator = ReadDesignator();
    }
    if (minute > 59 || second > 59) return false;
    if (designator == Designator::None) {
      if (hour > 23) return false;
    } else {
      if (hour < 1 || hour > 12) return false;
      hour %= 12;
      if (designator == Designator::Pm) hour += 12;
    }
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    return true;
  }

 private:
  bool ReadDateParts(DateTimeFields& fields) {
    int first = 0;
    int second = 0;
    int third = 0;
    std::size_t firstDigits = 0;
    std::size_t secondDigits = 0;
    std::size_t thirdDigits = 0;
    char16_t separator = 0;
    char16_t separator2 = 0;
    if (!ReadNumber(4, first, firstDigits) || !ReadSeparator(separator)) return false;
    if (separator == u'.') SkipBlanks();
    if (!ReadNumber(4, second, secondDigits) || !ReadSeparator(separator2)) return false;
    if (separator2 != separator) return false;
    if (separator == u'.') SkipBlanks();
    if (!ReadNumber(4, third, thirdDigits)) return false;
    if (separator == u'.') ReadChar(u'.');

    int year = 0;
    int month = 0;
    int day = 0;
    if (firstDigits == 4 && secondDigits <= 2 && thirdDigits <= 2) {
      year = first;
      month = second;
      day = third;
    } else if (firstDigits == 2 && secondDigits <= 2 && thirdDigits <= 2) {
      year = YearOfTwoDigits(first);
      month = second;
      day = third;
    } else if (separator == u'/' && firstDigits <= 2 && secondDigits <= 2 && thirdDigits == 4) {
      month = first;
      day = second;
      year = third;
    } else {
      return false;
    }
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
      return false;
    }
    fields.year = year;
    fields.month = month;
    fields.day = day;
    return true;
  }

  TextView text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<DateValue> ParseDate(TextView text) {
  DateReader reader(text);
  reader.SkipBlanks();
  DateTimeFields fields;  // 1899-12-30 00:00:00: a missing date or time part counts as zero
  const bool hasDate = reader.ReadDate(fields);
  reader.SkipBlanks();
  bool hasTime = false;
  if (!reader.AtEnd()) {
    hasTime = reader.ReadTime(fields);
    if (!hasTime) return std::nullopt;
    reader.SkipBlanks();
  }
  if (!reader.AtEnd() || (!hasDate && !hasTime)) return std::nullopt;
  return DateFromFields(fields);
}

}  // namespace orlimo
