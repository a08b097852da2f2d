// The command line of a Windows benchmark program: the arguments it must be given, then the
// numbers it may be given, counted as wmain's argv counts them (1 is the first argument).
#pragma once

#include <string>
#include <vector>

namespace orlimo::winbench {

class CommandLine {
 public:
  CommandLine(int argc, wchar_t** argv) : arguments_(argv, argv + argc) {}

  // False, with the usage line printed, when fewer than <count> arguments were given.
  bool Has(std::size_t count, const std::string& usage) const;
  const std::wstring& operator[](std::size_t index) const { return arguments_[index]; }
  // The number at <index>, or <otherwise> when the command line ends before it.
  double Number(std::size_t index, double otherwise) const;

 private:
  std::vector<std::wstring> arguments_;
};

}  // namespace orlimo::winbench
