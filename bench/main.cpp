// Prints the native benchmarks as one table. Each figure stands beside a baseline measured in
// the same run: the bare system calls the measured operation cannot do without.
#include <cstdio>
#include <vector>

#include "benches.h"

int main() {
  using namespace orlimo::bench;
  std::vector<Row> rows;
  for (auto* part : {&MeteringRows, &SettingsRows, &LogRows}) {
    for (Row& row : part()) rows.push_back(std::move(row));
  }
  PrintTable(rows);
  return 0;
}
