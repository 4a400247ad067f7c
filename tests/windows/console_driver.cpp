// The Windows end-to-end tests: this program drives zulchooser.exe through the console it
// shares with it, as a user at a Windows console does. It types key and mouse records into
// the console input, reads the cells and their attributes back, raises console control
// events, and checks what the recording converter received, how the chooser ended and the
// modes it left. Each scenario of the table below gets a fresh chooser in fresh folders. The
// findings go to a report file, never to the console, whose screen belongs to the chooser.
//
// Usage: zul_console_driver WORK_FOLDER REPORT_FILE [SCENARIO...]
// zulchooser.exe and zul_recording_converter.exe are taken from this program's folder.
// Exit code 0 when no scenario run failed, 1 when one did, 2 on a bad usage.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr ULONGLONG kWaitMs = 30000;  // the longest wait for a text, a run or the chooser's end
constexpr DWORD kPollMs = 20;
constexpr DWORD kSettleMs = 300;  // after the chooser read a resize or wheel turns: time to answer
// The input mode the chooser leaves: mouse input, with quick edit, insert and auto position
// given back on, since the mode the driver sets before it (7) tells none of them.
constexpr DWORD kInputModeLeft = 0x01F0;
constexpr DWORD kDriverInputMode = ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT;
constexpr WORD kIconId = 32519;  // the icon the chooser hands to ConsoleIcon

enum class Act {
  kWaitFor,
  kCursorOn,
  kNames,
  kType,
  kKey,
  kAltRelease,
  kClick,
  kWheel,
  kResize,
  kRaise,
  kRuns,
  kResources,
  kPipe
};

// One step. Texts may hold %S (the start-up folder), %C (the course folder), %R (the root of
// their drive) and %B (a blank). `value`: an attribute the text must have (0: any), a virtual
// key, a control event, a count of runs, a wheel turn or the columns of a resize; `control`:
// the control-key state; `extra`: the character of a key, the event flags of a click, how many
// wheel records or the rows of a resize.
struct Step {
  Act act;
  std::wstring text;
  DWORD value = 0, control = 0, extra = 0;
};

Step WaitFor(std::wstring text, WORD attribute = 0) { return {Act::kWaitFor, text, attribute}; }
// The console's cursor on the pointer of the highlighted name `name`: three cells left of it.
Step CursorOn(std::wstring name) { return {Act::kCursorOn, name}; }
// The course files shown, in screen order, separated by blanks.
Step Names(std::wstring names) { return {Act::kNames, names}; }
Step Type(std::wstring text) { return {Act::kType, text}; }
Step Key(WORD key, wchar_t character = 0, DWORD control = 0) { return {Act::kKey, L"", key, control, character}; }
// A left click on the first cell of `text`; `flags` DOUBLE_CLICK makes it a double click.
Step Click(std::wstring text, DWORD control = 0, DWORD flags = 0) {
  return {Act::kClick, text, 0, control, flags};
}
// The release of Alt bringing `character`, as the console delivers one typed with Alt and the
// numeric keypad or pasted with no key on the layout.
Step AltRelease(wchar_t character) { return {Act::kAltRelease, L"", VK_MENU, 0, character}; }
// `records` wheel records of `turn` each, at the first cell of `text`.
Step Wheel(std::wstring text, SHORT turn, DWORD records = 1) {
  return {Act::kWheel, text, DWORD(WORD(turn)), 0, records};
}
// The console's buffer and window made `columns` x `rows` at the top left, and the chooser
// told so by a WINDOW_BUFFER_SIZE_EVENT record, as a terminal behind a pseudo console does.
Step Resize(SHORT columns, SHORT rows) { return {Act::kResize, L"", DWORD(columns), 0, DWORD(rows)}; }
// The chooser's file carries its icon, its manifest and a version resource of the project's
// version.
Step Resources() { return {Act::kResources}; }
Step Raise(DWORD event) { return {Act::kRaise, L"", event}; }
// Waits until the converter's log holds `count` lines.
Step Runs(DWORD count) { return {Act::kRuns, L"", count}; }
// `text`, as UTF-8 bytes, into the pipe that is the chooser's standard input (a piped
// scenario's only way to type).
Step Pipe(std::wstring text) { return {Act::kPipe, text}; }

const Step kEsc = Key(VK_ESCAPE, 0x1B), kEnter = Key(VK_RETURN, L'\r'), kSpace = Key(VK_SPACE, L' '),
           kDown = Key(VK_DOWN), kCtrlC = Key('C', 0x03, LEFT_CTRL_PRESSED),
           kCtrlA = Key('A', 0x01, LEFT_CTRL_PRESSED), kTab = Key(VK_TAB, L'\t');

// A scenario: the files to make (blank-separated paths, %B a blank inside one; one ending in
// '\' is a folder, a name starting with '.' is hidden), how long each converter run lasts,
// the steps once the chooser asks for the course folder, and the converter's log it must
// leave: "folder|command line" per run (whose course file must open), or the control event a
// run got. Every scenario also expects the title and the 80 x 30 buffer once the chooser
// asks, and exit code 0, input mode kInputModeLeft and output mode 3. `not_under_wine` says
// why wine cannot run it, if it cannot. A `piped` scenario gives the chooser a pipe as its
// standard input (the console still its output), typed into by Pipe steps; the console's
// input mode stays as the driver set it.
struct Scenario {
  const wchar_t* name;
  std::wstring files;
  DWORD run_ms;
  std::vector<Step> steps;
  std::vector<std::wstring> log;
  const char* not_under_wine = nullptr;
  bool piped = false;
};

std::vector<Scenario> Scenarios() {
  const std::wstring heading_s = L"\u2551 %S  ", heading_c = L"\u2551 %C  ";  // no backslash after it
  const std::wstring abc = L"%S\\A.ZUL %S\\B.ZUL %S\\C.ZUL", abcde = abc + L" %S\\D.ZUL %S\\E.ZUL";
  std::wstring many, sixty;
  for (int i = 10; i <= 33; ++i) many += L"%S\\n" + std::to_wstring(i) + L".zul ";
  for (int i = 10; i <= 69; ++i) sixty += L"%S\\n" + std::to_wstring(i) + L".zul ";
  // The folder λόγος𝄞κ𝄢 (as the console shows it, its clefs U+FFFD), and in it a name in
  // each script, as listed (upper-cased) and as the console's cells read back (a wide
  // character in both of its cells).
  const std::wstring logos = L"\u03BB\u03CC\u03B3\u03BF\u03C2\U0001D11E\u03BA\U0001D122";
  const std::wstring logos_shown = L"\u03BB\u03CC\u03B3\u03BF\u03C2\uFFFD\u03BA\uFFFD";
  struct Named {
    std::wstring file, listed, shown;
  };
  const Named any_script[] = {
      {L"\u0141\u00F3d\u017A.zul", L"\u0141\u00F3D\u017A.ZUL", L"\u0141\u00F3D\u017A.ZUL"},
      {L"\u03BE\u03AD\u03BD\u03BF\u03C2.zul", L"\u03BE\u03AD\u03BD\u03BF\u03C2.ZUL",
       L"\u03BE\u03AD\u03BD\u03BF\u03C2.ZUL"},
      {L"\u041A\u043E\u0448\u043A\u0430.zul", L"\u041A\u043E\u0448\u043A\u0430.ZUL",
       L"\u041A\u043E\u0448\u043A\u0430.ZUL"},
      {L"\u65E5\u672C.zul", L"\u65E5\u672C.ZUL", L"\u65E5\u65E5\u672C\u672C.ZUL"},  // both cells of each
      {L"\U0001D11E.zul", L"\U0001D11E.ZUL", L"\uFFFD.ZUL"},
  };
  std::wstring any_script_files = L"%S\\" + logos + L"\\", any_script_shown;
  std::vector<std::wstring> any_script_runs;
  for (const Named& name : any_script) {
    any_script_files += L" %S\\" + logos + L"\\" + name.file;
    any_script_shown += (any_script_shown.empty() ? L"" : L" ") + name.shown;
    any_script_runs.push_back(L"%S|vizozava   " + logos + L"\\" + name.listed);
  }
  // clang-format off
  return {
    {L"set-up", L"", 300,
     {WaitFor(L"  If your .ZUL files are not on the same path (folder)", 0xF0),
      WaitFor(L"  as the program files then specify where they are:", 0xF0),
      WaitFor(L"       example: c:\\mydirectory\\myfiles\\", 0xF0),
      WaitFor(L" The change will be made only if the path exists.", 0xF0), Type(L"%R"), kEnter,
      WaitFor(L"\u2551 %R  "), WaitFor(L"                                    There are no .ZUL files", 0xFC),
      WaitFor(L"                                    in this directory!!", 0xFC),
      WaitFor(L"                                   Make simultaneous choices ", 0xFD), kEsc},
     {}},
    {L"cancel-both-with-esc", L"%S\\ONE.ZUL", 300, {kEsc, WaitFor(heading_s), WaitFor(L"ONE.ZUL"), kEsc}, {}},
    {L"cancel-both-with-ctrl-c-key", L"%S\\ONE.ZUL", 300,
     {kCtrlC, WaitFor(heading_s), WaitFor(L"ONE.ZUL"), kCtrlC}, {}},
    {L"cancel-both-with-ctrl-c-event", L"%S\\ONE.ZUL", 300,
     {Raise(CTRL_C_EVENT), WaitFor(heading_s), WaitFor(L"ONE.ZUL"), Raise(CTRL_C_EVENT)}, {}},
    {L"course-folder-two-files-by-keys",
     L"%C\\beta.zul %C\\Alpha.Zul %C\\GAMMA.ZUL %C\\notes.txt %C\\.hidden.zul %C\\folder.zul\\ %S\\START.ZUL", 300,
     {Type(L"  %C "), kEnter, WaitFor(heading_c), WaitFor(L"GAMMA.ZUL"), Names(L"ALPHA.ZUL BETA.ZUL GAMMA.ZUL"),
      kSpace, kDown, kSpace, WaitFor(L"2 marked"), kEnter},
     {L"%S|vizozava   %C\\ALPHA.ZUL", L"%S|vizozava   %C\\BETA.ZUL"}},
    {L"mouse-click-and-ctrl-click", abcde, 300,
     {Click(L"[ Cancel ]"), WaitFor(L"E.ZUL"), Click(L"B.ZUL"), WaitFor(L"1 marked"), Click(L"A.ZUL"),
      Click(L"C.ZUL", LEFT_CTRL_PRESSED), WaitFor(L"2 marked"), Click(L"D.ZUL", RIGHT_CTRL_PRESSED),
      WaitFor(L"3 marked"), Click(L"A.ZUL", RIGHT_CTRL_PRESSED), WaitFor(L"2 marked"), Click(L"\u25BA OK \u25C4")},
     {L"%S|vizozava   C.ZUL", L"%S|vizozava   D.ZUL"}},
    {L"mouse-shift-click-range", abcde, 300,
     {kEsc, WaitFor(L"E.ZUL"), Click(L"B.ZUL"), Click(L"D.ZUL", SHIFT_PRESSED), WaitFor(L"3 marked"),
      Click(L"\u25BA OK \u25C4")},
     {L"%S|vizozava   B.ZUL", L"%S|vizozava   C.ZUL", L"%S|vizozava   D.ZUL"}},
    {L"keyboard-shift-down-range", abcde, 300,
     {kEsc, WaitFor(L"E.ZUL"), kDown, Key(VK_DOWN, 0, SHIFT_PRESSED), Key(VK_DOWN, 0, SHIFT_PRESSED),
      Key(VK_DOWN, 0, SHIFT_PRESSED), WaitFor(L"4 marked"), kEnter},
     {L"%S|vizozava   B.ZUL", L"%S|vizozava   C.ZUL", L"%S|vizozava   D.ZUL", L"%S|vizozava   E.ZUL"}},
    // While the list has the keys the console's cursor stands on the highlighted name's pointer,
    // where a screen reader or a magnifier that follows it finds the name.
    {L"cursor-on-the-highlighted-name", many, 300,
     {kEsc, WaitFor(L"1-21 of 24"), CursorOn(L"N10.ZUL"), kDown, CursorOn(L"N11.ZUL"), kSpace, WaitFor(L"1 marked"),
      CursorOn(L"N11.ZUL"), Key(VK_END), CursorOn(L"N33.ZUL"), Wheel(L"N20.ZUL", 2 * WHEEL_DELTA),
      WaitFor(L"1-21 of 24"), CursorOn(L"N30.ZUL"), Click(L"N15.ZUL"), CursorOn(L"N15.ZUL"), Type(L"n2"),
      CursorOn(L"N20.ZUL"), kEnter},
     {L"%S|vizozava   N15.ZUL"}},
    {L"mouse-double-click", abc, 300, {kEsc, WaitFor(L"C.ZUL"), Click(L"B.ZUL", 0, DOUBLE_CLICK)},
     {L"%S|vizozava   B.ZUL"}},
    {L"mouse-wheel", many, 300,
     {kEsc, WaitFor(L"1-21 of 24"), Wheel(L"N20.ZUL", -WHEEL_DELTA), WaitFor(L"4-24 of 24"), Click(L"N33.ZUL"),
      kEnter},
     {L"%S|vizozava   N33.ZUL"}},
    // Eight pieces of 15, as a precision touchpad sends them, scroll as one notch of 120 does
    // (the list box scrolls three rows a notch); seven scroll nothing yet.
    {L"mouse-wheel-pieces", sixty, 300,
     {kEsc, WaitFor(L"1-21 of 60"), Wheel(L"N20.ZUL", -15, 7), Wheel(L"N20.ZUL", -15), WaitFor(L"4-24 of 60"),
      Wheel(L"N20.ZUL", -WHEEL_DELTA), WaitFor(L"7-27 of 60"), Wheel(L"N20.ZUL", 60), Wheel(L"N20.ZUL", 60),
      WaitFor(L"4-24 of 60"), Click(L"N24.ZUL"), kEnter},
     {L"%S|vizozava   N24.ZUL"}},
    // A folder dropped on a classic console comes as its path typed key by key, in double
    // quotes where it holds a blank; the answer is the folder, and the converter gets its
    // path unquoted. The note has found it before Enter.
    {L"quoted-path-typed-as-keys", L"%C\\my%Bcourses\\ %C\\my%Bcourses\\Dropped.zul %S\\START.ZUL", 300,
     {Type(L"\"%C\\my courses\""), WaitFor(L" This folder exists "), kEnter, WaitFor(L"\u2551 %C\\my courses  "),
      Names(L"DROPPED.ZUL"), kSpace, WaitFor(L"1 marked"), kEnter},
     {L"%S|vizozava   %C\\my courses\\DROPPED.ZUL"}},
    // Tab completes a folder's name typed in the wrong case to its name as stored, with a
    // separator, passing over a file and a folder that do not start so; the note then finds
    // the folder, and Enter lists it.
    {L"tab-completes-a-folder-in-either-case", L"%C\\Other\\ %C\\Other\\IN.ZUL %C\\Othello.zul %C\\Apart\\", 300,
     {Type(L"%C\\oth"), WaitFor(L" There is no such folder "), kTab, WaitFor(L"%C\\Other\\ "),
      WaitFor(L" This folder exists "), kEnter, WaitFor(L"\u2551 %C\\Other  "), Names(L"IN.ZUL"), kSpace,
      WaitFor(L"1 marked"), kEnter},
     {L"%S|vizozava   %C\\Other\\\\IN.ZUL"}},
    {L"mouse-ok-and-cancel-buttons", L"%C\\A.ZUL", 300,
     {Type(L"%C"), Click(L"\u25BA OK \u25C4"), WaitFor(heading_c), Click(L"A.ZUL", LEFT_CTRL_PRESSED), WaitFor(L"1 marked"),
      Click(L"[ Cancel ]")},
     {}},
    {L"names-in-own-characters", L"%S\\j\u00F6rg\\ %S\\j\u00F6rg\\\u00FCbung.zul %S\\j\u00F6rg\\\u00C4rger.zul %S\\j\u00F6rg\\plain.zul", 300,
     {Type(L"j\u00F6rg"), kEnter, WaitFor(L"\u2551 %S\\j\u00F6rg  "), WaitFor(L"3 of 3"),
      Names(L"PLAIN.ZUL \u00C4RGER.ZUL \u00DCBUNG.ZUL"), kCtrlA, WaitFor(L"3 marked"), kEnter},
     {L"%S|vizozava   j\u00F6rg\\PLAIN.ZUL", L"%S|vizozava   j\u00F6rg\\\u00C4RGER.ZUL",
      L"%S|vizozava   j\u00F6rg\\\u00DCBUNG.ZUL"}},
    // Names in letters that the console's code page (437 here) lacks: the chooser speaks UTF-8
    // through its manifest, so the typed folder and the Polish, Greek, Cyrillic, Japanese names
    // and one beyond 16 bits in it are listed, upper-cased by letter and handed whole to the
    // converter, which opens each. A character beyond 16 bits shows as U+FFFD; typed, its
    // halves come as two keys (as a terminal sends them) or on two Alt releases; a half
    // without its partner types nothing.
    {L"names-in-any-script", any_script_files, 300,
     {Type(L"\u03BB\u03CC\u03B3\u03BF\u03C2\U0001D11E"), AltRelease(0xD834), Type(L"\u03BA"), AltRelease(0xD834),
      AltRelease(0xDD22), AltRelease(0xDD22), WaitFor(logos_shown + L" "), kEnter,
      WaitFor(L"\u2551 %S\\" + logos_shown + L"  "), WaitFor(L"5 of 5"), Names(any_script_shown), kCtrlA,
      WaitFor(L"5 marked"), kEnter},
     any_script_runs},
    // A character typed with Alt and the keypad, or pasted, comes on Alt's release; other
    // releases, and control characters on Alt's, type nothing (Esc or Enter would close).
    {L"alt-release-types-its-character", L"%S\\ONE.ZUL", 300,
     {AltRelease(0x1B), AltRelease(L'\r'), Type(L"ab"), AltRelease(L'\u00E9'), Type(L"c"), WaitFor(L"ab\u00E9c "),
      kEsc, WaitFor(heading_s), kEsc},
     {}},
    // The open list box follows the console's size: squeezed, at 1 x 1, then back at 80 x 30,
    // where it lays itself out whole again and still answers. Wine cannot host the chooser in a
    // pseudo console (its CreatePseudoConsole succeeds, but the child is not attached), so
    // whether the chooser keeps the terminal's size there is known from the console host's
    // source alone; this resizes a console window and tells the chooser as a terminal would.
    {L"resize-while-the-list-box-is-open", many, 300,
     {kEsc, WaitFor(L"1-21 of 24"), Resize(40, 12), WaitFor(L"of 24"), Resize(1, 1), Resize(80, 30),
      WaitFor(L"1-21 of 24"), kDown, kSpace, WaitFor(L"1 marked"), kEnter},
     {L"%S|vizozava   N11.ZUL"}},
    // Input from a pipe is bytes, each ASCII one a key: CR LF is one Enter (a second would
    // confirm the list with A.ZUL highlighted), a letter moves to the name it starts.
    {L"standard-input-from-a-pipe", L"%C\\A.ZUL %C\\B.ZUL", 300,
     {Pipe(L"%C\r\n"), WaitFor(heading_c), WaitFor(L"B.ZUL"), Pipe(L"b"), CursorOn(L"B.ZUL"), Pipe(L" "),
      WaitFor(L"1 marked"), Pipe(L"\r")},
     {L"%S|vizozava   %C\\B.ZUL"}, nullptr, true},
    {L"icon-manifest-and-version-resources", L"%S\\ONE.ZUL", 300, {Resources(), kEsc, WaitFor(L"ONE.ZUL"), kEsc}, {}},
    {L"ctrl-c-during-the-first-of-two-runs", L"%S\\A.ZUL %S\\B.ZUL", 2000,
     {kEsc, WaitFor(L"B.ZUL"), kCtrlA, WaitFor(L"2 marked"), kEnter, Runs(1), Raise(CTRL_C_EVENT)},
     {L"%S|vizozava   A.ZUL", L"CTRL_C_EVENT", L"%S|vizozava   B.ZUL"}},
    {L"ctrl-break-during-the-first-of-two-runs", L"%S\\A.ZUL %S\\B.ZUL", 2000,
     {kEsc, WaitFor(L"B.ZUL"), kCtrlA, WaitFor(L"2 marked"), kEnter, Runs(1), Raise(CTRL_BREAK_EVENT)},
     {L"%S|vizozava   A.ZUL", L"CTRL_BREAK_EVENT", L"%S|vizozava   B.ZUL"},
     "wine cannot raise CTRL_BREAK_EVENT"},
  };
  // clang-format on
}

HANDLE input, output;  // the console, shared with the chooser
HANDLE pipe_input;     // the writing end of a piped scenario's standard input, else null

std::string Narrow(const std::wstring& text) {
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(std::max(0, WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(),
                                               int(bytes.size()), nullptr, nullptr)));
  return bytes;
}

std::wstring Replace(std::wstring text, const std::wstring& what, const std::wstring& with) {
  for (std::size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

// The non-empty parts of `text` between `separator`s.
std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
  std::vector<std::wstring> parts;
  for (std::size_t start = 0, end = 0; start < text.size(); start = end + 1) {
    end = std::min(text.find(separator, start), text.size());
    if (end > start) parts.push_back(text.substr(start, end - start));
  }
  return parts;
}

// Polls until `ready` says yes, up to kWaitMs; false when it never did.
template <typename Ready>
bool Until(Ready ready) {
  for (const ULONGLONG deadline = GetTickCount64() + kWaitMs; !ready(); Sleep(kPollMs))
    if (GetTickCount64() > deadline) return false;
  return true;
}

// The screen buffer's rows: their characters and attributes.
struct Screen {
  std::vector<std::wstring> rows;
  std::vector<std::vector<WORD>> attributes;

  bool Find(const std::wstring& text, COORD& at) const {
    for (std::size_t y = 0; y < rows.size(); ++y)
      if (const std::size_t x = rows[y].find(text); x != std::wstring::npos) {
        at = COORD{SHORT(x), SHORT(y)};
        return true;
      }
    return false;
  }
};

Screen ReadScreen() {
  Screen screen;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(output, &info)) return screen;
  std::vector<CHAR_INFO> cells(info.dwSize.X);
  for (SHORT y = 0; y < info.dwSize.Y; ++y) {
    SMALL_RECT row{0, y, SHORT(info.dwSize.X - 1), y};
    if (!ReadConsoleOutputW(output, cells.data(), COORD{info.dwSize.X, 1}, COORD{0, 0}, &row)) break;
    screen.rows.emplace_back();
    screen.attributes.emplace_back();
    for (const CHAR_INFO& cell : cells) {
      screen.rows.back().push_back(cell.Char.UnicodeChar);
      screen.attributes.back().push_back(cell.Attributes);
    }
  }
  return screen;
}

// The converter's log, one line each, read as the UTF-8 it is written in.
std::vector<std::wstring> ReadLog(const std::wstring& path) {
  std::string bytes;
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  char buffer[4096];
  for (DWORD n = 0; file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0;)
    bytes.append(buffer, n);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  std::wstring text(bytes.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), int(bytes.size()), text.data(), int(text.size())));
  return Split(text, L'\n');
}

INPUT_RECORD MouseRecord(COORD at, DWORD buttons, DWORD control, DWORD flags) {
  INPUT_RECORD record{MOUSE_EVENT, {}};
  record.Event.MouseEvent = MOUSE_EVENT_RECORD{at, buttons, control, flags};
  return record;
}

// The records of one step that types, presses, clicks or turns the wheel at `at`.
std::vector<INPUT_RECORD> InputOf(const Step& step, COORD at) {
  std::vector<INPUT_RECORD> records;
  const auto press = [&](WORD key, wchar_t character, DWORD control) {
    for (BOOL down : {TRUE, FALSE}) {
      records.push_back(INPUT_RECORD{KEY_EVENT, {}});
      records.back().Event.KeyEvent = KEY_EVENT_RECORD{down, 1, key, 0, {}, control};
      records.back().Event.KeyEvent.uChar.UnicodeChar = character;
    }
  };
  if (step.act == Act::kKey) press(WORD(step.value), wchar_t(step.extra), step.control);
  if (step.act == Act::kAltRelease) {
    records.push_back(INPUT_RECORD{KEY_EVENT, {}});
    records.back().Event.KeyEvent = KEY_EVENT_RECORD{FALSE, 1, VK_MENU, 0, {}, 0};
    records.back().Event.KeyEvent.uChar.UnicodeChar = wchar_t(step.extra);
  }
  for (wchar_t c : step.act == Act::kType ? step.text : L"") {
    const bool upper = c >= L'A' && c <= L'Z', lower = c >= L'a' && c <= L'z';
    const bool plain = c == L' ' || (c >= L'0' && c <= L'9');
    press(upper || plain ? WORD(c) : lower ? WORD(c - L'a' + L'A') : 0, c, upper ? SHIFT_PRESSED : 0);
  }
  for (DWORD i = 0; step.act == Act::kWheel && i < step.extra; ++i)
    records.push_back(MouseRecord(at, step.value << 16, 0, MOUSE_WHEELED));
  if (step.act == Act::kResize) {
    records.push_back(INPUT_RECORD{WINDOW_BUFFER_SIZE_EVENT, {}});
    records.back().Event.WindowBufferSizeEvent.dwSize = COORD{SHORT(step.value), SHORT(step.extra)};
  }
  for (int i = 0; step.act == Act::kClick && i < (step.extra == DOUBLE_CLICK ? 2 : 1); ++i) {
    records.push_back(MouseRecord(at, FROM_LEFT_1ST_BUTTON_PRESSED, step.control, i == 0 ? 0 : DOUBLE_CLICK));
    records.push_back(MouseRecord(at, 0, step.control, 0));
  }
  return records;
}

bool WriteRecords(const std::vector<INPUT_RECORD>& records) {
  DWORD written = 0;
  return WriteConsoleInputW(input, records.data(), DWORD(records.size()), &written) && written == records.size();
}

// Writes `records` and waits until the chooser has read them and had time to answer, so that
// what a later step waits for is not a passing picture of a wrong answer.
std::string WriteAndSettle(const std::vector<INPUT_RECORD>& records) {
  if (!WriteRecords(records)) return "writing input records failed";
  DWORD left = 1;
  if (!Until([&] { return GetNumberOfConsoleInputEvents(input, &left) && left == 0; }))
    return "the chooser did not read its input";
  Sleep(kSettleMs);
  return "";
}

// Makes the console's buffer and window `columns` x `rows` at the top left: the buffer grown
// first where the window needs it, then the window, then the buffer exactly.
bool SizeConsole(SHORT columns, SHORT rows) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(output, &info)) return false;
  SetConsoleScreenBufferSize(output, COORD{std::max(columns, info.dwSize.X), std::max(rows, info.dwSize.Y)});
  const SMALL_RECT window{0, 0, SHORT(columns - 1), SHORT(rows - 1)};
  return SetConsoleWindowInfo(output, TRUE, &window) && SetConsoleScreenBufferSize(output, COORD{columns, rows});
}

// What is wrong with the application manifest of `module`: it must carry exactly one, as
// Windows reads it at the start (type RT_MANIFEST, id 1), asking for the UTF-8 code page and
// the caller's own rights, with nothing that changes the console (no DPI or long-path
// settings). Empty when it does.
std::string CheckManifest(HMODULE module) {
  const LPCWSTR manifest_type = MAKEINTRESOURCEW(24);
  std::vector<ULONG_PTR> ids;  // 0 for one named by a string
  EnumResourceNamesW(
      module, manifest_type,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
        reinterpret_cast<std::vector<ULONG_PTR>*>(found)->push_back(IS_INTRESOURCE(name) ? ULONG_PTR(name) : 0);
        return TRUE;
      },
      LONG_PTR(&ids));
  if (ids != std::vector<ULONG_PTR>{1}) return std::to_string(ids.size()) + " manifests, not one of id 1; ";
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), manifest_type);
  const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const char* bytes = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (bytes == nullptr) return "the manifest does not load; ";
  const std::string manifest(bytes, SizeofResource(module, found));
  std::string failure;
  for (const char* wanted :
       {"<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>",
        "<requestedExecutionLevel level=\"asInvoker\""})
    if (manifest.find(wanted) == std::string::npos) failure += std::string("the manifest lacks ") + wanted + "; ";
  for (const char* unwanted : {"dpiAware", "longPathAware", "gdiScaling"})
    if (manifest.find(unwanted) != std::string::npos)
      failure += std::string("the manifest sets ") + unwanted + "; ";
  return failure;
}

// What is wrong with the resources of the program file `path`: it must carry the icon
// kIconId, in the small and the large size, its manifest (CheckManifest), and a version
// resource naming the product with the project's version, ZUL_VERSION. Empty when all are
// there.
std::string CheckResources(const std::wstring& path) {
  const HMODULE module =
      LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) return "cannot load " + Narrow(path) + " for its resources";
  std::string failure = CheckManifest(module);
  for (int size : {16, 32}) {
    const HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, size, size, 0);
    if (icon == nullptr)
      failure += "no icon " + std::to_string(kIconId) + " of " + std::to_string(size) + " pixels; ";
    else
      DestroyIcon(static_cast<HICON>(icon));
  }
  FreeLibrary(module);
  DWORD ignored = 0;
  std::vector<char> version(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  if (version.empty() || !GetFileVersionInfoW(path.c_str(), 0, DWORD(version.size()), version.data()))
    return failure + "no version resource";
  const auto text = [&](const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(version.data(), key.c_str(), &value, &length) || length == 0) return std::wstring();
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
  };
  void* fixed = nullptr;
  UINT length = 0;
  const std::wstring expected = L"" ZUL_VERSION;
  std::wstring numbers;
  if (VerQueryValueW(version.data(), L"\\", &fixed, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto& info = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
    numbers = std::to_wstring(HIWORD(info.dwFileVersionMS)) + L"." +
              std::to_wstring(LOWORD(info.dwFileVersionMS)) + L"." + std::to_wstring(HIWORD(info.dwFileVersionLS));
  }
  if (text(L"ProductName") != L"zulchooser" || text(L"FileVersion") != expected || numbers != expected ||
      text(L"FileDescription").empty())
    failure += "version resource: product \"" + Narrow(text(L"ProductName")) + "\", version \"" +
               Narrow(text(L"FileVersion")) + "\" (" + Narrow(numbers) + "), description \"" +
               Narrow(text(L"FileDescription")) + "\"";
  return failure;
}

// Carries out one step; the empty text when it went as expected, else what went wrong.
std::string Perform(const Step& step, const std::wstring& log_path, const std::wstring& app) {
  Screen screen;
  COORD at{};
  const bool on_screen = step.act == Act::kWaitFor || step.act == Act::kCursorOn || step.act == Act::kClick ||
                         step.act == Act::kWheel;
  if (on_screen && !Until([&] { return (screen = ReadScreen()).Find(step.text, at); }))
    return "timed out waiting for \"" + Narrow(step.text) + "\"";
  switch (step.act) {
    case Act::kWaitFor:
      for (std::size_t i = 0; step.value != 0 && i < step.text.size(); ++i)
        if (const WORD attribute = screen.attributes[at.Y][at.X + i]; attribute != step.value)
          return "\"" + Narrow(step.text) + "\" has attribute " + std::to_string(attribute) + " at " +
                 std::to_string(at.X + i);
      return "";
    case Act::kCursorOn: {
      CONSOLE_SCREEN_BUFFER_INFO info{};
      const COORD pointer{SHORT(at.X - 3), at.Y};
      const auto on_pointer = [&] {
        return GetConsoleScreenBufferInfo(output, &info) && info.dwCursorPosition.X == pointer.X &&
               info.dwCursorPosition.Y == pointer.Y && ReadScreen().rows[pointer.Y][pointer.X] == L'\u25BA';
      };
      if (Until(on_pointer)) return "";
      return "the cursor is at " + std::to_string(info.dwCursorPosition.X) + "," +
             std::to_string(info.dwCursorPosition.Y) + ", not on the pointer of \"" + Narrow(step.text) + "\"";
    }
    case Act::kNames: {
      std::wstring names;
      for (const std::wstring& row : ReadScreen().rows)
        for (const std::wstring& word : Split(Replace(row, L"\u2551", L" "), L' '))
          if (word.size() > 4 && word.ends_with(L".ZUL")) names += (names.empty() ? L"" : L" ") + word;
      return names == step.text ? "" : "the names shown are \"" + Narrow(names) + "\"";
    }
    case Act::kRaise:
      if (GenerateConsoleCtrlEvent(step.value, 0)) return "";
      return "raising event " + std::to_string(step.value) + " failed, error " + std::to_string(GetLastError());
    case Act::kResources:
      return CheckResources(app + L"\\zulchooser.exe");
    case Act::kResize:
      if (!SizeConsole(SHORT(step.value), SHORT(step.extra)))
        return "cannot size the console to " + std::to_string(step.value) + "x" + std::to_string(step.extra);
      return WriteAndSettle(InputOf(step, at));
    case Act::kWheel:
      return WriteAndSettle(InputOf(step, at));
    case Act::kPipe: {
      const std::string bytes = Narrow(step.text);
      DWORD written = 0;
      if (pipe_input != nullptr && WriteFile(pipe_input, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
          written == bytes.size())
        return "";
      return "writing to the chooser's standard input failed";
    }
    case Act::kRuns:
      if (Until([&] { return ReadLog(log_path).size() >= step.value; })) return "";
      return "timed out waiting for run " + std::to_string(step.value);
    default: {
      if (WriteRecords(InputOf(step, at))) return "";
      return "writing input records failed";
    }
  }
}

// Runs one scenario in `folder` and returns what went wrong; empty when it passed:
// 1. lay out the chooser with the converter beside it, the start-up and the course folders
//    and the files; give the console a title, modes and contents the chooser must replace;
// 2. start the chooser from the start-up folder, sharing this console;
// 3. wait for its question, carry out the steps, wait for its end;
// 4. check its exit code, the converter's log and the console modes it left.
std::string RunScenario(const Scenario& scenario, const std::wstring& own_folder, const std::wstring& folder) {
  const std::wstring app = folder + L"\\app", start = folder + L"\\start", courses = folder + L"\\courses";
  const std::wstring log_path = app + L"\\recorded_runs.log";
  const auto expand = [&](const std::wstring& text) {
    return Replace(Replace(Replace(Replace(text, L"%S", start), L"%C", courses), L"%R", start.substr(0, 3)), L"%B",
                   L" ");
  };
  for (const std::wstring& path : {folder, app, start, courses}) CreateDirectoryW(path.c_str(), nullptr);
  CopyFileW((own_folder + L"zulchooser.exe").c_str(), (app + L"\\zulchooser.exe").c_str(), FALSE);
  CopyFileW((own_folder + L"zul_recording_converter.exe").c_str(), (app + L"\\vizozava.exe").c_str(), FALSE);
  for (const std::wstring& listed : Split(scenario.files, L' ')) {
    const std::wstring path = expand(listed);
    const bool hidden = path[path.find_last_of(L'\\', path.size() - 2) + 1] == L'.';
    const HANDLE file = path.back() == L'\\' ? nullptr
                                             : CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                           hidden ? FILE_ATTRIBUTE_HIDDEN : 0, nullptr);
    if (file == nullptr ? !CreateDirectoryW(path.c_str(), nullptr) : file == INVALID_HANDLE_VALUE)
      return "cannot make " + Narrow(path);
    if (file != nullptr) CloseHandle(file);
  }
  SetConsoleTitleW(L"console driver");
  SetConsoleMode(input, kDriverInputMode);
  SetConsoleMode(output, ENABLE_PROCESSED_OUTPUT);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  GetConsoleScreenBufferInfo(output, &info);
  DWORD done = 0;
  FillConsoleOutputCharacterW(output, L' ', DWORD(info.dwSize.X) * DWORD(info.dwSize.Y), COORD{0, 0}, &done);
  FlushConsoleInputBuffer(input);
  SetEnvironmentVariableW(L"ZUL_RECORDING_LOG", log_path.c_str());
  SetEnvironmentVariableW(L"ZUL_RECORDING_RUN_MS", std::to_wstring(scenario.run_ms).c_str());

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = startup.hStdError = output;
  HANDLE pipe_output = nullptr;  // the chooser's end of a piped standard input
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  if (scenario.piped) {
    if (!CreatePipe(&pipe_output, &pipe_input, &inherited, 0) ||
        !SetHandleInformation(pipe_input, HANDLE_FLAG_INHERIT, 0))
      return "cannot make a pipe, error " + std::to_string(GetLastError());
    startup.hStdInput = pipe_output;
  }
  PROCESS_INFORMATION chooser{};
  std::wstring command_line = L"zulchooser.exe";
  const BOOL started = CreateProcessW((app + L"\\zulchooser.exe").c_str(), command_line.data(), nullptr, nullptr,
                                      TRUE, 0, nullptr, start.c_str(), &startup, &chooser);
  if (pipe_output != nullptr) CloseHandle(pipe_output);
  const auto close_pipe = [] {
    if (pipe_input != nullptr) CloseHandle(pipe_input);
    pipe_input = nullptr;
  };
  if (!started) {
    close_pipe();
    return "cannot start the chooser, error " + std::to_string(GetLastError());
  }
  std::string failure = Perform(WaitFor(L"Change default directory for .ZUL course files? "), log_path, app);
  wchar_t title[64] = {};
  GetConsoleTitleW(title, 64);
  GetConsoleScreenBufferInfo(output, &info);
  if (failure.empty() &&
      (std::wstring(title) != L"Select zul files for conversion" || info.dwSize.X != 80 || info.dwSize.Y != 30))
    failure = "title \"" + Narrow(title) + "\", buffer " + std::to_string(info.dwSize.X) + "x" +
              std::to_string(info.dwSize.Y);
  for (std::size_t i = 0; i < scenario.steps.size() && failure.empty(); ++i) {
    Step step = scenario.steps[i];
    step.text = expand(step.text);
    if (failure = Perform(step, log_path, app); !failure.empty())
      failure = "step " + std::to_string(i + 1) + ": " + failure;
  }
  if (failure.empty() && WaitForSingleObject(chooser.hProcess, DWORD(kWaitMs)) != WAIT_OBJECT_0)
    failure = "the chooser did not end";
  if (!failure.empty()) TerminateProcess(chooser.hProcess, 1);
  WaitForSingleObject(chooser.hProcess, INFINITE);
  close_pipe();
  DWORD exit_code = 0, input_mode = 0, output_mode = 0;
  GetExitCodeProcess(chooser.hProcess, &exit_code);
  CloseHandle(chooser.hProcess);
  CloseHandle(chooser.hThread);
  if (!failure.empty()) return failure;

  if (exit_code != 0) return "exit code " + std::to_string(exit_code);
  std::vector<std::wstring> expected;
  for (const std::wstring& line : scenario.log)
    expected.push_back(expand(line) + (line.find(L'|') != std::wstring::npos ? L"|opens" : L""));
  if (const std::vector<std::wstring> log = ReadLog(log_path); log != expected) {
    std::string text = "the converter's log differs; expected:\n";
    for (const std::wstring& line : expected) text += "  " + Narrow(line) + "\n";
    text += "recorded:\n";
    for (const std::wstring& line : log) text += "  " + Narrow(line) + "\n";
    return text;
  }
  GetConsoleMode(input, &input_mode);
  GetConsoleMode(output, &output_mode);
  if (input_mode != (scenario.piped ? kDriverInputMode : kInputModeLeft) || output_mode != 3)
    return "modes left: input " + std::to_string(input_mode) + ", output " + std::to_string(output_mode);
  return "";
}

// Ctrl+C and Ctrl+Break that the scenarios raise reach this program too; it stays.
BOOL WINAPI KeepRunning(DWORD type) { return type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT; }

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

}  // namespace

// Runs the scenarios named on the command line, or all, and reports each.
int wmain(int argc, wchar_t** argv) {
  FILE* report = argc >= 3 ? _wfopen(argv[2], L"w") : nullptr;
  wchar_t own[MAX_PATH] = {};
  const std::wstring own_path(own, GetModuleFileNameW(nullptr, own, MAX_PATH));
  const std::wstring own_folder = own_path.substr(0, own_path.find_last_of(L'\\') + 1);
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  input = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                      OPEN_EXISTING, 0, nullptr);
  output = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                       OPEN_EXISTING, 0, nullptr);
  if (report == nullptr || own_folder.empty() || input == INVALID_HANDLE_VALUE || output == INVALID_HANDLE_VALUE)
    return 2;
  SetConsoleCtrlHandler(KeepRunning, TRUE);

  int run = 0, failed = 0, skipped = 0;
  for (const Scenario& scenario : Scenarios()) {
    bool chosen = argc == 3;
    for (int i = 3; i < argc; ++i) chosen = chosen || scenario.name == std::wstring(argv[i]);
    if (!chosen) continue;
    const std::string name = Narrow(scenario.name);
    ++run;
    if (scenario.not_under_wine != nullptr && UnderWine()) {
      ++skipped;
      std::fprintf(report, "SKIP %s: %s\n", name.c_str(), scenario.not_under_wine);
      continue;
    }
    const ULONGLONG started = GetTickCount64();
    const std::string failure =
        RunScenario(scenario, own_folder, std::wstring(argv[1]) + L"\\" + std::to_wstring(run));
    const unsigned long long took = GetTickCount64() - started;
    if (failure.empty()) {
      std::fprintf(report, "PASS %s (%llu ms)\n", name.c_str(), took);
    } else {
      ++failed;
      std::fprintf(report, "FAIL %s (%llu ms): %s\n---- screen ----\n", name.c_str(), took, failure.c_str());
      for (const std::wstring& row : ReadScreen().rows) std::fprintf(report, "%s\n", Narrow(row).c_str());
      std::fprintf(report, "----------------\n");
    }
    std::fflush(report);
  }
  std::fprintf(report, "%d passed, %d failed, %d skipped\n", run - failed - skipped, failed, skipped);
  std::fclose(report);
  return failed == 0 && run > skipped ? 0 : 1;
}
