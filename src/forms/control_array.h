// A row of like controls, indexed from 0 (by user number, for instance).
#pragma once

#include <array>
#include <cstddef>
#include <utility>

namespace orlimo::forms {

class Form;

template <typename T, std::size_t N>
class ControlArray {
 public:
  explicit ControlArray(Form& form) : items_(Make(form, std::make_index_sequence<N>{})) {}

  // An index outside the array is a failure of the handler that used it.
  T& operator[](int index) { return items_.at(static_cast<std::size_t>(index)); }
  const T& operator[](int index) const { return items_.at(static_cast<std::size_t>(index)); }
  static constexpr int size() { return static_cast<int>(N); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }

 private:
  template <std::size_t... I>
  static std::array<T, N> Make(Form& form, std::index_sequence<I...>) {
    return {Item<I>(form)...};
  }
  template <std::size_t>
  static T Item(Form& form) {
    return T(form);
  }

  std::array<T, N> items_;
};

}  // namespace orlimo::forms
