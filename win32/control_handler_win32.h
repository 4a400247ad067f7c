// The handlers the Windows console device installs for console control events
// (Ctrl+C, Ctrl+Break, the console closing), and the console input they type into.
// They answer each event as AnswerControlEvent (win32/control_events.h) decides.
#pragma once

#include <windows.h>

namespace zul {

// Makes `input` the console input that the control handlers below type into.
void SetInterruptInput(HANDLE input);

// Installed while the device lives: with processed input off, Windows gives Ctrl+C to
// the program as a key (character 0x03); under wine the terminal's interrupt stays a
// signal and comes as a control event instead, which this turns back into that key.
BOOL WINAPI InterruptAsKey(DWORD type);

// Installed only while a converter runs, and so called before InterruptAsKey: the
// converter has processed input, so Ctrl+C and Ctrl+Break reach every process of the
// console, and the chooser must outlive them. A handler function, unlike ignoring Ctrl+C
// for the whole process, is not inherited by the converter, which keeps its default.
BOOL WINAPI InterruptDuringRun(DWORD type);

}  // namespace zul
