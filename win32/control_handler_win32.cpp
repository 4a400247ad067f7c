#include "win32/control_handler_win32.h"

#include <atomic>

#include "win32/control_events.h"

namespace zul {

namespace {

// The console input that the control handlers below type into.
std::atomic<HANDLE> interrupt_input{nullptr};

ControlEvent EventOfType(DWORD type) {
  switch (type) {
    case CTRL_C_EVENT:
      return ControlEvent::kCtrlC;
    case CTRL_BREAK_EVENT:
      return ControlEvent::kCtrlBreak;
    default:
      return ControlEvent::kOther;
  }
}

// Puts the Ctrl+C key into the console input, as Windows types it with processed input off.
bool TypeCtrlC(HANDLE input) {
  INPUT_RECORD record{};
  record.EventType = KEY_EVENT;
  KEY_EVENT_RECORD& key = record.Event.KeyEvent;
  key.bKeyDown = TRUE;
  key.wRepeatCount = 1;
  key.wVirtualKeyCode = 'C';
  key.uChar.UnicodeChar = 0x03;
  key.dwControlKeyState = LEFT_CTRL_PRESSED;
  DWORD written = 0;
  return WriteConsoleInputW(input, &record, 1, &written) && written == 1;
}

// Answers a control event as AnswerControlEvent decides. An input mode that cannot be
// read counts as processed input on, where Ctrl+C is an event and not a key.
BOOL AnswerEvent(DWORD type, bool converter_running) {
  const HANDLE input = interrupt_input.load();
  DWORD mode = 0;
  if (input == nullptr || !GetConsoleMode(input, &mode)) mode = ENABLE_PROCESSED_INPUT;
  switch (AnswerControlEvent(EventOfType(type), converter_running, mode)) {
    case ControlEventAnswer::kIgnore:
      return TRUE;
    case ControlEventAnswer::kTypeCtrlC:
      return TypeCtrlC(input) ? TRUE : FALSE;
    case ControlEventAnswer::kPassOn:
      return FALSE;
  }
  return FALSE;
}

}  // namespace

void SetInterruptInput(HANDLE input) { interrupt_input.store(input); }

BOOL WINAPI InterruptAsKey(DWORD type) { return AnswerEvent(type, false); }

BOOL WINAPI InterruptDuringRun(DWORD type) { return AnswerEvent(type, true); }

}  // namespace zul
