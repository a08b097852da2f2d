#include "records/family_days.h"

#include <algorithm>
#include <map>

#include "base/date.h"
#include "base/number.h"
#include "base/path.h"
#include "records/atomic_file.h"
#include "records/comma_fields.h"
#include "records/file_bytes.h"
#include "records/kept_copy.h"

namespace orlimo::Main {
namespace {

constexpr char16_t kHeading[] = u"!Orlimo Family.ini";
// Family.ini is written in UTF-8 after this mark, so that every name the console accepts comes
// back as it was.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A number that must be written out: an empty field is not read as 0.
std::optional<std::int32_t> ReadGivenNumber(TextView field) {
  if (field.empty()) return std::nullopt;
  return ReadInt32(field);
}

// A day as Family.ini writes it, YYYY-MM-DD; nothing for any other text or a day that is not.
std::optional<DayNumber> ReadDayText(TextView text) {
  if (text.size() != 10 || text[4] != u'-' || text[7] != u'-') return std::nullopt;
  auto digits = [&](std::size_t from, std::size_t count) -> std::optional<int> {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
      if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
      value = value * 10 + (text[i] - u'0');
    }
    return value;
  };
  std::optional<int> year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
  if (!year || !month || !day || *year < 100) return std::nullopt;
  DateTimeFields fields{*year, *month, *day, 0, 0, 0};
  DateValue date = DateFromFields(fields);
  if (FieldsFromDate(date) != fields) return std::nullopt;  // 2026-02-30 and the like
  return static_cast<DayNumber>(date);
}

Text DayText(DayNumber day) {
  return TimestampText(static_cast<DateValue>(day)).substr(0, 10);
}

std::optional<EndAction> ReadEndAction(TextView field) {
  if (field == u"poweroff") return EndAction::PowerOff;
  if (field == u"logoff") return EndAction::LogOff;
  if (field == u"lock") return EndAction::Lock;
  return std::nullopt;
}

Text EndActionText(EndAction action) {
  switch (action) {
    case EndAction::LogOff:
      return u"logoff";
    case EndAction::Lock:
      return u"lock";
    case EndAction::PowerOff:
      break;
  }
  return u"poweroff";
}

std::optional<bool> ReadFlag(TextView field) {
  if (field == u"0") return false;
  if (field == u"1") return true;
  return std::nullopt;
}

int ReadRow(CommaFields& fields) {
  std::int32_t row = fields.NextAs(&ReadGivenNumber);
  if (row < 0 || row >= kMaxUsers) throw ReadFailure("a row outside 0 to 9");
  return row;
}

class FamilyReader {
 public:
  void Line(const Text& line) {
    if (line.empty() || line.front() == u'!') return;  // blank line or comment
    CommaFields fields(line, CommaFields::LastField::RunsToLineEnd);
    Text key = fields.Next();
    if (key == u"Child") {
      int row = ReadRow(fields);
      if (blocks_.contains(row)) throw ReadFailure("a row given twice");
      blocks_[row] = records_.size();
      records_.push_back({row, fields.Rest(), {}});
    } else if (key == u"Week") {
      ChildDays& days = Block(fields);
      for (std::optional<std::int32_t>& minutes : days.WeekdayMinutes) {
        Text field = fields.Next();
        if (field.empty()) {
          minutes.reset();
          continue;
        }
        std::optional<std::int32_t> value = ReadInt32(field);
        if (!value) throw ReadFailure("a number out of range");
        minutes = *value;
      }
    } else if (key == u"Extra") {
      ChildDays& days = Block(fields);
      days.ExtraDay = fields.NextAs(&ReadDayText);
      days.ExtraMinutes = fields.NextAs(&ReadGivenNumber);
    } else if (key == u"Hours") {
      ChildDays& days = Block(fields);
      for (std::optional<AllowedHours>& hours : days.Hours) {
        Text field = fields.Next();
        if (field.empty()) {
          hours.reset();
          continue;
        }
        hours = ReadHours(field);
        if (!hours) throw ReadFailure("hours that are not a window of the day");
      }
    } else if (key == u"End") {
      ChildDays& days = Block(fields);
      days.End = fields.NextAs(&ReadEndAction);
    } else if (key == u"LockedTime") {
      ChildDays& days = Block(fields);
      days.LockedTimeCounts = fields.NextAs(&ReadFlag);
    } else if (key == u"Used") {
      ChildDays& days = Block(fields);
      DayNumber day = fields.NextAs(&ReadDayText);
      DayUsage usage;
      usage.UsedMinutes = fields.NextAs(&ReadGivenNumber);
      usage.AllowanceMinutes = fields.NextAs(&ReadGivenNumber);
      days.History[day] = usage;
    }
    // Any other key belongs to a later release: skipped.
  }

  std::vector<FamilyRecord> Take() { return std::move(records_); }

 private:
  ChildDays& Block(CommaFields& fields) {
    int row = ReadRow(fields);
    auto found = blocks_.find(row);
    if (found == blocks_.end()) throw ReadFailure("a row before its Child line");
    return records_[found->second].Days;
  }

  std::vector<FamilyRecord> records_;
  std::map<int, std::size_t> blocks_;
};

void AppendLine(Text& text, TextView line) {
  text += line;
  text += u"\r\n";
}

Text HoursLine(const FamilyRecord& record) {
  Text line = u"Hours," + DecimalText(record.Row);
  for (const std::optional<AllowedHours>& hours : record.Days.Hours) {
    line += u',';
    if (hours) line += HoursText(*hours);
  }
  return line;
}

Text WeekLine(const FamilyRecord& record) {
  Text line = u"Week," + DecimalText(record.Row);
  for (const std::optional<std::int32_t>& minutes : record.Days.WeekdayMinutes) {
    line += u',';
    if (minutes) line += DecimalText(*minutes);
  }
  return line;
}

}  // namespace

Text HoursText(const AllowedHours& hours) {
  auto clock = [](std::int32_t minute) {
    const Text hour = DecimalText(minute / 60);
    const Text minutes = DecimalText(minute % 60);
    return (hour.size() < 2 ? u"0" + hour : hour) + u":" +
           (minutes.size() < 2 ? u"0" + minutes : minutes);
  };
  return clock(hours.fromMinute) + u"-" + clock(hours.toMinute);
}

std::optional<AllowedHours> ReadHours(TextView text) {
  const Text trimmed = Trim(text);
  // HH:MM-HH:MM
  auto minuteAt = [&](std::size_t at) -> std::optional<std::int32_t> {
    const TextView part = TextView(trimmed).substr(at, 5);
    if (part.size() != 5 || part[2] != u':') return std::nullopt;
    std::int32_t value[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
      for (std::size_t j = 0; j < 2; ++j) {
        const char16_t digit = part[static_cast<std::size_t>(i) * 3 + j];
        if (digit < u'0' || digit > u'9') return std::nullopt;
        value[i] = value[i] * 10 + (digit - u'0');
      }
    }
    if (value[1] > 59 || value[0] * 60 + value[1] > 24 * 60) return std::nullopt;
    return value[0] * 60 + value[1];
  };
  if (trimmed.size() != 11 || trimmed[5] != u'-') return std::nullopt;
  const std::optional<std::int32_t> from = minuteAt(0);
  const std::optional<std::int32_t> to = minuteAt(6);
  if (!from || !to || *from >= *to || *from >= 24 * 60) return std::nullopt;
  return AllowedHours{*from, *to};
}

Text DecodeFamilyFile(std::string_view bytes, const platform::AnsiCodePage& codePage) {
  if (bytes.starts_with(kUtf8Mark)) return FromUtf8(bytes.substr(kUtf8Mark.size()));
  return codePage.Decode(std::string(bytes));
}

FamilyFileText ReadFamilyText(TextView text) {
  FamilyFileText file;
  FamilyReader reader;
  try {
    for (const Text& line : SplitLines(text)) reader.Line(Trim(line));
  } catch (const ReadFailure&) {
    file.Whole = false;
  }
  file.Records = reader.Take();
  return file;
}

Text FamilyText(const std::vector<FamilyRecord>& records) {
  Text text;
  AppendLine(text, kHeading);
  for (const FamilyRecord& record : records) {
    const Text row = DecimalText(record.Row);
    AppendLine(text, u"Child," + row + u"," + record.Name);
    AppendLine(text, WeekLine(record));
    // The settings a parent has not made are not written: an older Orlimo reads the file as before.
    const ChildDays& days = record.Days;
    if (std::any_of(days.Hours.begin(), days.Hours.end(),
                    [](const std::optional<AllowedHours>& hours) { return hours.has_value(); })) {
      AppendLine(text, HoursLine(record));
    }
    if (days.End != EndAction::PowerOff) {
      AppendLine(text, u"End," + row + u"," + EndActionText(days.End));
    }
    if (!days.LockedTimeCounts) AppendLine(text, u"LockedTime," + row + u",0");
    if (record.Days.ExtraMinutes != 0 || record.Days.ExtraDay != 0) {
      AppendLine(text, u"Extra," + row + u"," + DayText(record.Days.ExtraDay) + u"," +
                           DecimalText(record.Days.ExtraMinutes));
    }
    for (const auto& [day, usage] : record.Days.History) {
      AppendLine(text, u"Used," + row + u"," + DayText(day) + u"," +
                           DecimalText(usage.UsedMinutes) + u"," +
                           DecimalText(usage.AllowanceMinutes));
    }
  }
  return text;
}

FamilyDays MatchFamilyRecords(const std::vector<FamilyRecord>& records, const Settings& settings) {
  FamilyDays days{};
  std::vector<bool> taken(records.size(), false);
  auto give = [&](int user, std::size_t index) {
    days[static_cast<std::size_t>(user)] = records[index].Days;
    taken[index] = true;
  };
  std::array<bool, kMaxUsers> matched{};
  for (int user = 0; user <= settings.UserCount; ++user) {
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (!taken[i] && records[i].Row == user && records[i].Name == settings.User(user).Name) {
        give(user, i);
        matched[static_cast<std::size_t>(user)] = true;
        break;
      }
    }
  }
  for (int user = 0; user <= settings.UserCount; ++user) {
    if (matched[static_cast<std::size_t>(user)]) continue;
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (!taken[i] && records[i].Name == settings.User(user).Name) {
        give(user, i);
        break;
      }
    }
  }
  return days;
}

FamilyDays LoadFamilyDays(const Settings& settings, const Text& folder,
                          const platform::AnsiCodePage& codePage) {
  const Text path = InFolder(folder, kFamilyFileName);
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return {};  // no file yet: nobody has weekday allowances, extras or history
  FamilyFileText file = ReadFamilyText(DecodeFamilyFile(*bytes, codePage));
  FamilyDays days = MatchFamilyRecords(file.Records, settings);
  if (!file.Whole) {
    KeepUnreadableCopy(path, *bytes);
    SaveFamilyDays(days, settings, folder);
  }
  return days;
}

void SaveFamilyDays(const FamilyDays& days, const Settings& settings, const Text& folder) {
  std::vector<FamilyRecord> records;
  for (int user = 0; user <= settings.UserCount && user < kMaxUsers; ++user) {
    records.push_back({user, settings.User(user).Name, days[static_cast<std::size_t>(user)]});
  }
  ReplaceFileAtomically(InFolder(folder, kFamilyFileName),
                        std::string(kUtf8Mark) + ToUtf8(FamilyText(records)));
}

}  // namespace orlimo::Main
