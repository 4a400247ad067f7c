// What hosts the console the program draws on, and whether the program may size it. A
// classic console window takes the size the program sets; a pseudo console (Windows
// Terminal, the VS Code terminal) is sized by its terminal alone, which never follows a
// size the program sets. Pure: the Windows device asks the console, these decide.
#pragma once

#include <string_view>

namespace zul {

enum class ConsoleHost {
  kWindow,         // a console window of its own: the classic console, or wine's
  kPseudoConsole,  // a terminal behind a pseudo console
  kNoWindow,       // a console without any window the program can see
};

// The host, from the class name of the window the console gives (GetConsoleWindow;
// empty when it gives none). A pseudo console gives a hidden window of the class
// "PseudoConsoleWindow"; window class names do not heed case.
ConsoleHost ConsoleHostOf(std::string_view window_class);

// Whether the program sets the console's buffer and window size under `host`: not under a
// pseudo console, whose size is its terminal's, so the program draws in the size it has.
bool ProgramSetsSize(ConsoleHost host);

}  // namespace zul
