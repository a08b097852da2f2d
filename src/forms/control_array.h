// A row of like controls sharing one name, indexed from 0 (by user number, for instance).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

namespace orlimo::forms {

class Form;

template <typename T, std::size_t N>
class ControlArray {
 public:
  ControlArray(Form& form, const std::string& name)
      : items_(Make(form, name, std::make_index_sequence<N>{})) {}

  // An index outside the array is a failure of the handler that used it.
  T& operator[](int index) { return items_.at(static_cast<std::size_t>(index)); }
  const T& operator[](int index) const { return items_.at(static_cast<std::size_t>(index)); }
  static constexpr int size() { return static_cast<int>(N); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }

 private:
  template <std::size_t... I>
  static std::array<T, N> Make(Form& form, const std::string& name, std::index_sequence<I...>) {
    return {T(form, name, static_cast<int>(I))...};
  }

  std::array<T, N> items_;
};

}  // namespace orlimo::forms
