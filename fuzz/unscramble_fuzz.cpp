// UnscrambleLine takes any text: it either fails with its own error or gives one character per
// group (two for the line-end group), and a line it gave settles after one rewrite.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "records/encript.h"

namespace {

using orlimo::Text;
using orlimo::fuzz::Check;
namespace Encript = orlimo::Encript;

void Unscramble(const Text& scrambled) {
  Text line;
  try {
    line = Encript::UnscrambleLine(scrambled);
  } catch (const Encript::UnscrambleError&) {
    Check(scrambled.size() == 2 || scrambled.size() == 3, "only short texts fail");
    return;
  }
  const std::size_t groups = (scrambled.size() + 3) / 4;
  Check(line.size() >= groups && line.size() <= 2 * groups, "one character per group");
  // Characters the format cannot carry change once, on the first rewrite, and then stay.
  Text again = Encript::UnscrambleLine(Encript::ScrambleLine(line));
  Check(Encript::UnscrambleLine(Encript::ScrambleLine(again)) == orlimo::Trim(again),
        "a line read once reads the same after every further rewrite");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto bytes = orlimo::fuzz::Bytes(data, size);
  Unscramble(orlimo::fuzz::ByteText(bytes));
  Unscramble(orlimo::fuzz::WideText(bytes));
  return 0;
}
