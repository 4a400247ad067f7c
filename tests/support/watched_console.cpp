#include "tests/support/watched_console.h"

#include <algorithm>

#include "tests/support/row_text.h"

namespace zul::testing {

bool WatchedConsole::WriteCells(Coord at, std::span<const Cell> cells) {
  ++counts.writes;
  counts.cells += cells.size();
  if (at.x < 0 || at.y < 0 || at.y >= Size().y || at.x + static_cast<int>(cells.size()) > Size().x) ++outside;
  written_.insert(at.y);
  return VirtualConsole::WriteCells(at, cells);
}

bool WatchedConsole::FillCells(Coord at, uint32_t count, Cell fill) {
  ++counts.fills;
  written_.insert(at.y);
  return VirtualConsole::FillCells(at, count, fill);
}

bool WatchedConsole::ReadInput(InputEvent& event, int timeout_ms) {
  at_read.push_back(counts);
  open.emplace(static_cast<const VirtualConsole&>(*this));
  seen.push_back(*open);
  rows_written.push_back(written_);
  written_.clear();
  if (before_read) before_read(*this, seen.size() - 1);
  const bool read = ScriptedConsole::ReadInput(event, timeout_ms);
  if (read && follow_resizes && event.kind == InputEvent::Kind::kResize) {
    const Coord size = event.size;
    SetLargestWindow(size);
    SetWindowRect({0, 0, static_cast<int16_t>(std::min(size.x, Size().x) - 1),
                   static_cast<int16_t>(std::min(size.y, Size().y) - 1)});
    SetBufferSize(size);
    SetWindowRect({0, 0, static_cast<int16_t>(size.x - 1), static_cast<int16_t>(size.y - 1)});
  }
  return read;
}

WatchedConsole::Counts WatchedConsole::Cost(std::size_t n) const {
  const Counts& a = at_read.at(n - 1);
  const Counts& b = at_read.at(n);
  return Counts{b.writes - a.writes, b.cells - a.cells, b.fills - a.fills};
}

void Scribble(VirtualConsole& console) {
  for (int y = 0; y < console.Size().y; ++y) {
    std::vector<Cell> row;
    for (int x = 0; x < console.Size().x; ++x)
      row.push_back(
          Cell{static_cast<uint8_t>(0x20 + (x * 7 + y) % 0xDF), static_cast<uint16_t>((x + 2 * y) % 256)});
    console.WriteCells({0, static_cast<int16_t>(y)}, row);
  }
}

Coord Find(const VirtualConsole& console, std::string_view text) {
  for (int y = 0; y < console.Size().y; ++y) {
    const std::string row = RowText(console, y);
    const std::size_t at = row.find(text);
    if (at == std::string::npos) continue;
    const auto x = std::count_if(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(at),
                                 [](char c) { return (static_cast<uint8_t>(c) & 0xC0) != 0x80; });
    return Coord{static_cast<int16_t>(x), static_cast<int16_t>(y)};
  }
  return Coord{-1, -1};
}

}  // namespace zul::testing
