#include "console/log_view.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/path.h"

namespace orlimo::LogView {
namespace {

constexpr TextView kLineEnd = u"\r\n";

std::string ReadBytes(const Text& path) {
  std::ifstream file(FsPath(path), std::ios::binary);
  if (!file) throw std::runtime_error("the log cannot be opened");
  std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) throw std::runtime_error("the log cannot be read");
  return bytes;
}

}  // namespace

std::vector<Text> ReadLogLines(const Text& path, const platform::AnsiCodePage& codePage) {
  // A CR never occurs inside a double-byte character of the code page, so the lines can be
  // split after decoding.
  Text text = codePage.Decode(ReadBytes(path));
  std::vector<Text> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(u'\r', start);
    if (end == Text::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (start < text.size() && text[start] == u'\n') ++start;
  }
  return lines;
}

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
