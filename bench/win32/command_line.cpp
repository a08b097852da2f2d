#include "command_line.h"

#include <cwchar>

#include "figures.h"

namespace orlimo::winbench {

bool CommandLine::Has(std::size_t count, const std::string& usage) const {
  if (arguments_.size() > count) return true;
  Print(usage);
  return false;
}

double CommandLine::Number(std::size_t index, double otherwise) const {
  return index < arguments_.size() ? std::wcstod(arguments_[index].c_str(), nullptr) : otherwise;
}

}  // namespace orlimo::winbench
