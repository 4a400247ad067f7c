// Scripted input for dialog tests: short ways to make key, mouse and resize
// events and to queue them on a scripted console. Test support only; the events
// are shaped as the console devices report them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tests/support/scripted_console.h"

namespace zul::testing {

// A key press with virtual-key code `key`, typed character `character` and `modifiers`.
InputEvent Key(uint16_t key, char32_t character = 0, uint32_t modifiers = 0);
// One key press per character of `bytes` (UTF-8), as a keyboard types them: letters
// with their key code (Shift for capitals), digits and the space with theirs, other
// characters with none; bytes that spell no character type nothing.
std::vector<InputEvent> Typed(std::string_view bytes);
InputEvent Enter();
InputEvent Esc();
// The C key with the left Ctrl held; it types 0x03.
InputEvent CtrlC();
// A press of the left button at column x, row y of the buffer, with `modifiers`.
InputEvent Click(int x, int y, uint32_t modifiers = 0);
// The left button let go at column x, row y.
InputEvent Release(int x, int y);
InputEvent DoubleClick(int x, int y, uint32_t modifiers = 0);
// The wheel turned at x, y: positive away from the user (up), negative towards.
InputEvent Wheel(int x, int y, int16_t delta);
// The screen that shows the window became `columns` by `rows`.
InputEvent Resize(int columns, int rows);
// A paste of `text`, as a terminal's bracketed paste brings it.
InputEvent Paste(std::u32string_view text);
InputEvent EndOfInput();

inline void PushEvent(ScriptedConsole& console, const InputEvent& event) { console.PushInput(event); }
inline void PushEvent(ScriptedConsole& console, const std::vector<InputEvent>& events) {
  for (const InputEvent& event : events) console.PushInput(event);
}
// Queues events and lists of events in order: Push(console, Typed("ab"), Enter()).
template <typename... Events>
void Push(ScriptedConsole& console, const Events&... events) {
  (PushEvent(console, events), ...);
}

}  // namespace zul::testing
