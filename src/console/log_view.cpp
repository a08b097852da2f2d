#include "console/log_view.h"

namespace orlimo::LogView {
namespace {

constexpr TextView kLineEnd = u"\r\n";

}  // namespace

Text DisplayText(const std::vector<Text>& lines) {
  Text display;
  for (const Text& line : lines) {
    display += u' ';
    display += line;
    display += kLineEnd;
  }
  return display;
}

Text LogText(TextView display) {
  if (display.empty()) return {};
  if (display.ends_with(kLineEnd)) display.remove_suffix(kLineEnd.size());
  Text log;
  std::size_t start = 0;
  while (true) {
    std::size_t end = display.find(kLineEnd, start);
    TextView line = display.substr(start, end == TextView::npos ? TextView::npos : end - start);
    if (line.starts_with(u' ')) line.remove_prefix(1);
    log += line;
    log += kLineEnd;
    if (end == TextView::npos) break;
    start = end + kLineEnd.size();
  }
  return log;
}

}  // namespace orlimo::LogView
