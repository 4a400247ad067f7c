// Texts and name tables: the chooser's only data types.
// A Text is a byte string with its length; zero bytes are ordinary bytes and no
// character-set conversion happens anywhere. A NameTable is a fixed-bounds table
// of texts, indexed from its lower bound, that never grows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zul {

using Text = std::string;

// Removes leading and trailing space characters (0x20) only; tabs, zero bytes and
// other control bytes stay.
Text Trim(const Text& text);

// Byte order: unsigned bytes over the common length, then the shorter text first.
// Negative, zero or positive like memcmp.
int CompareTexts(const Text& a, const Text& b);

// A table of texts with entries Lower..Upper; every entry starts empty.
template <int Lower, int Upper>
class NameTable {
 public:
  static constexpr int kLower = Lower;
  static constexpr int kUpper = Upper;
  static constexpr int kSize = Upper - Lower + 1;

  // Entry `index`, which must lie within the bounds.
  Text& operator[](int index) { return entries_[Slot(index)]; }
  const Text& operator[](int index) const { return entries_[Slot(index)]; }

  static constexpr bool InBounds(int index) { return index >= Lower && index <= Upper; }

  // The entries in index order, for whole-table work such as sorting.
  Text* begin() { return entries_.data(); }
  Text* end() { return entries_.data() + kSize; }
  const Text* begin() const { return entries_.data(); }
  const Text* end() const { return entries_.data() + kSize; }

 private:
  static std::size_t Slot(int index) { return static_cast<std::size_t>(index - Lower); }
  std::array<Text, kSize> entries_{};
};

constexpr int kTableSize = 1000;

// The course file table and the list table: entries 1 to 1000.
using ListTable = NameTable<1, kTableSize>;
// The chosen-name table: entries 0 to 1000, used from 1.
using ChosenNameTable = NameTable<0, kTableSize>;

}  // namespace zul
