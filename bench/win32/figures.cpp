#include "figures.h"

#include <algorithm>
#include <cstdio>

#include "win32/windows_api.h"

namespace orlimo::winbench {

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

namespace {

// Display width in columns: every UTF-8 sequence counts once, Hangul syllables twice.
std::size_t Width(const std::string& text) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < text.size();) {
    auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    width += lead == 0xEA || lead == 0xEB || lead == 0xEC || lead == 0xED ? 2 : 1;
    i += length;
  }
  return width;
}

std::string Padded(const std::string& text, std::size_t width, bool right) {
  std::string fill(width > Width(text) ? width - Width(text) : 0, ' ');
  return right ? fill + text : text + fill;
}

}  // namespace

void PrintTable(const std::vector<Row>& rows) {
  std::size_t w[6] = {8, 5, 8, 5, 5, 6};
  for (const Row& row : rows) {
    const std::string* cells[6] = {&row.what,          &row.value, &row.baselineWhat,
                                   &row.baselineValue, &row.ratio, &row.target};
    for (int i = 0; i < 6; ++i) w[i] = std::max(w[i], Width(*cells[i]));
  }
  auto line = [&](const std::string* cells[6]) {
    std::string out = "|";
    for (int i = 0; i < 6; ++i) {
      bool right = i == 1 || i == 3 || i == 4;
      out += ' ';
      out += Padded(*cells[i], w[i], right);
      out += " |";
    }
    Print(out);
  };
  const std::string head[6] = {"measured", "value", "baseline, same run",
                               "value",    "ratio", "target"};
  const std::string* headCells[6] = {&head[0], &head[1], &head[2], &head[3], &head[4], &head[5]};
  line(headCells);
  std::string rule = "|";
  for (std::size_t width : w) rule += std::string(width + 2, '-') + "|";
  Print(rule);
  for (const Row& row : rows) {
    const std::string* cells[6] = {&row.what,          &row.value, &row.baselineWhat,
                                   &row.baselineValue, &row.ratio, &row.target};
    line(cells);
  }
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof(text), "%.*f", decimals, value);
  return text;
}

std::string Millis(double seconds) {
  return Fixed(seconds * 1000, 1) + " ms";
}

std::string KiB(double bytes) {
  return Fixed(bytes / 1024, 0) + " KiB";
}

std::vector<std::wstring> Arguments(int argc, wchar_t** argv, std::size_t needed) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() < needed) args.clear();
  return args;
}

double NumberOr(const std::vector<std::wstring>& args, std::size_t index, double fallback) {
  return index < args.size() ? _wtof(args[index].c_str()) : fallback;
}

}  // namespace orlimo::winbench
