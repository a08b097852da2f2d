#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>

namespace orlimo::fuzz {

void Broken(const char* promise) {
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

}  // namespace orlimo::fuzz
