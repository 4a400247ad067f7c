// The input box's help with a path: the note on what the answer names, Tab's
// completions, pastes unquoted, and the look-ups kept off the keys; then the
// library's reading of a typed path and its completions among a folder listing.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "consoletools/folder_source.h"
#include "dialogs/input_box.h"
#include "tests/support/events.h"
#include "tests/support/paced_console.h"
#include "tests/support/row_text.h"

namespace zul {
namespace {

using testing::FakeFolders;
using testing::Key;
using testing::PacedConsole;
using testing::Paste;
using testing::Typed;
using Finding = FolderSource::Finding;
using Pause = PacedConsole::Pause;
using Settle = PacedConsole::Settle;

const Text kHint = "<Cancel> accepts program's directory";
const InputEvent kTab = Key(vk::kTab, U'\t');
const InputEvent kBackTab = Key(vk::kTab, U'\t', modifier::kShift);
const Pause kTypingPause{kTypingPauseMs};

// What the box showed when it last waited for input: the field's text and the note.
struct Shown {
  std::string field;
  std::string note;
};
Shown ShownOn(const VirtualConsole& screen) {
  const Coord hint = testing::Find(screen, kHint);
  if (hint.y < 2) return {};
  auto text = [&](int row) {
    std::string line = testing::RowText(screen, row, hint.x, 48);
    line.erase(line.find_last_not_of(' ') + 1);
    line.erase(0, line.find_first_not_of(' ') == std::string::npos ? line.size() : line.find_first_not_of(' '));
    return line;
  };
  return Shown{text(hint.y - 2), text(hint.y - 1)};
}

Text Ask(PacedConsole& console, std::shared_ptr<FolderSource> folders) {
  return RunInputBox(console, Utf8CodePage(), console.clock, 40, 15,
                     "Change default directory for .ZUL course files? ", kHint, "", 32768, std::move(folders));
}

std::shared_ptr<FakeFolders> Courses() {
  auto folders = std::make_shared<FakeFolders>();
  folders->findings = {{"/c/other", Finding::kFolder},
                       {"/c/other/", Finding::kFolder},
                       {"/c/a.zul", Finding::kFile},
                       {"/c/*.zul", Finding::kWildcard}};
  folders->completions = {{"/c/oth", {"/c/other/"}}, {"/c/term", {"/c/term1/", "/c/term2/"}}};
  return folders;
}

TEST(InputBoxFolders, TheNoteAndTabFollowTheFieldAsTyped) {
  struct Row {
    const char* what;
    std::vector<PacedConsole::Step> steps;
    Shown shown;
  };
  auto keys = [](std::string_view text) {
    std::vector<PacedConsole::Step> steps;
    for (const InputEvent& event : Typed(text)) steps.push_back(event);
    return steps;
  };
  auto with = [](std::vector<PacedConsole::Step> steps, std::initializer_list<PacedConsole::Step> more) {
    steps.insert(steps.end(), more);
    return steps;
  };
  const Row rows[] = {
      {"nothing for an empty field", {kTypingPause, Settle{}}, {"", ""}},
      {"looking until typing pauses", keys("/c/other"), {"/c/other", "Looking..."}},
      {"a folder", with(keys("/c/other"), {kTypingPause, Settle{}}), {"/c/other", "This folder exists"}},
      {"no such folder", with(keys("/c/nope"), {kTypingPause, Settle{}}), {"/c/nope", "There is no such folder"}},
      {"a file", with(keys("/c/a.zul"), {kTypingPause, Settle{}}), {"/c/a.zul", "This is a file, not a folder"}},
      {"a wildcard",
       with(keys("/c/*.zul"), {kTypingPause, Settle{}}),
       {"/c/*.zul", "A folder name may not hold * or ?"}},
      {"Tab completes and looks at once",
       with(keys("/c/oth"), {kTab, Settle{}}),
       {"/c/other/", "This folder exists"}},
      {"Tab again goes round", with(keys("/c/term"), {kTab, Settle{}, kTab}), {"/c/term2/", "Looking..."}},
      {"and comes back", with(keys("/c/term"), {kTab, Settle{}, kTab, kTab}), {"/c/term1/", "Looking..."}},
      {"Shift+Tab goes back", with(keys("/c/term"), {kTab, Settle{}, kBackTab}), {"/c/term2/", "Looking..."}},
      {"Shift+Tab starts at the end",
       with(keys("/c/term"), {kBackTab, Settle{}}),
       {"/c/term2/", "There is no such folder"}},
      {"nothing completes", with(keys("/c/zz"), {kTab, Settle{}}), {"/c/zz", "No folder name starts so"}},
      {"another key ends the round",
       with(keys("/c/term"), {kTab, Settle{}, Typed("x")[0], kTab, Settle{}}),
       {"/c/term1/x", "No folder name starts so"}},
      {"the text after the caret stays",
       with(keys("/c/othx"), {Key(vk::kLeft), kTab, Settle{}}),
       {"/c/other/x", "There is no such folder"}},
      {"a paste goes in unquoted",
       {Paste(U"'/c/other'"), kTypingPause, Settle{}},
       {"/c/other", "This folder exists"}},
  };
  for (const Row& row : rows) {
    PacedConsole console;
    for (const PacedConsole::Step& step : row.steps) console.Add(step);
    Ask(console, Courses());
    ASSERT_TRUE(console.open) << row.what;
    const Shown shown = ShownOn(*console.open);
    EXPECT_EQ(shown.field, row.shown.field) << row.what;
    EXPECT_EQ(shown.note, row.shown.note) << row.what;
  }
}

// A slow share: keys go on while a look-up is out, and an answer that comes for a
// text the field no longer holds is dropped.
TEST(InputBoxFolders, KeysGoOnWhileALookUpIsOutAndALateAnswerIsDropped) {
  auto folders = Courses();
  folders->findings["/c/oth"] = Finding::kFolder;
  folders->held = true;
  PacedConsole console;
  console.Script(Typed("/c/oth"), kTypingPause, Typed("er"), kTab, Typed("x"), Key(vk::kEnd), kTypingPause,
                 Settle{});
  console.before_read = [&](testing::WatchedConsole& screen, std::size_t) {
    // The look-up of "/c/oth" is held while "er", Tab and "x" are typed; once they
    // are drawn, the look-ups go.
    const Shown shown = ShownOn(screen);
    if (shown.field == "/c/oth" && shown.note == "Looking...") folders->WaitUntilHolding(1);
    if (shown.field == "/c/otherx") folders->Release();
  };
  const auto start = std::chrono::steady_clock::now();
  const Text answer = Ask(console, folders);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_EQ(answer, "");  // the script ran out: cancelled
  // Every key was drawn while the first look-up was held; the answer for "/c/oth"
  // (a folder) never showed over a later text, and Tab's look-up for "/c/other" came
  // back to a field that had gone on: dropped.
  bool looking_while_held = false;
  for (const VirtualConsole& screen : console.seen) {
    const Shown shown = ShownOn(screen);
    EXPECT_FALSE(shown.field != "/c/oth" && shown.note == "This folder exists") << shown.field;
    looking_while_held |= shown.field == "/c/otherx" && shown.note == "Looking...";
  }
  EXPECT_TRUE(looking_while_held);
  EXPECT_EQ(ShownOn(*console.open).note, "There is no such folder");
  EXPECT_EQ(ShownOn(*console.open).field, "/c/otherx");
}

// A look-up that never returns (a dead share) does not hold the box's closing up.
TEST(InputBoxFolders, ClosesWhileALookUpHangs) {
  auto folders = Courses();
  folders->held = true;
  PacedConsole console;
  console.Script(Typed("/c/oth"), kTab);
  console.before_read = [&](testing::WatchedConsole&, std::size_t read) {
    if (read == 7) folders->WaitUntilHolding(1);  // after the six keys and Tab
  };
  const auto start = std::chrono::steady_clock::now();
  Ask(console, folders);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(folders->Holding(), 1);
  folders->Release();  // the thread left behind ends now
}

// Completions among a listing, as the library makes them on either platform.
TEST(FolderCompletions, CompleteTheLastPartAmongTheFoldersOfTheFolderItNames) {
  const std::map<Text, std::vector<FolderEntry>> listings = {
      {"/p/", {{"term2", false}, {"Term3", false}, {"term1", false}, {".termhidden", true}, {"other", false}}},
      {"", {{"My Courses", false}, {"mine", false}}},
      {"C:\\", {{"Other", false}, {"oTHER2", false}, {"Hidden", true}}},
      {"C:", {{"Kurse", false}}},
      {"/home/u/", {{"kurse", false}}},
      {"D:\\",
       {{"\u039B\u039F\u0393\u039F\u03A3", false},
        {"\u041A\u0443\u0440\u0441\u044B", false},
        {"\u03B1\u03C1\u03C7\u03AE", false}}},
      {"E:\\", {{"U\u0308bungen", false}, {"\u00C4rger", false}, {"Kurs\xE9", false}, {"Kurs\xEA", false}}},
      {"/r/",
       {{"\u041A\u0443\u0440\u0441\u044B", false},
        {"\u043A\u0443\u0440\u0441\u044B", false},
        {"\u0394\u03AD\u03BB\u03C4\u03B1", false}}},
      {"/m/", {{"Cafe\u0301 Kurse", false}, {"cafe\u0301", false}}},
  };
  auto list = [&](const Text& folder) {
    const auto found = listings.find(folder);
    return found == listings.end() ? std::vector<FolderEntry>{} : found->second;
  };
  struct Row {
    Text typed;
    PathStyle style;
    std::vector<Text> completions;
  };
  const Row rows[] = {
      {"/p/term", PathStyle::kPosix, {"/p/term1/", "/p/term2/"}},
      {"/p/Term", PathStyle::kPosix, {"/p/Term3/"}},
      {"/p/TERM", PathStyle::kPosix, {"/p/term1/", "/p/term2/", "/p/Term3/"}},
      {"/p/.t", PathStyle::kPosix, {"/p/.termhidden/"}},
      {"/p/", PathStyle::kPosix, {"/p/other/", "/p/term1/", "/p/term2/", "/p/Term3/"}},
      {"/p/x", PathStyle::kPosix, {}},
      {"'/p/oth", PathStyle::kPosix, {"/p/other/"}},
      {"My", PathStyle::kPosix, {"My Courses/"}},
      {"m", PathStyle::kPosix, {"mine/"}},
      {"C:\\oth", PathStyle::kWindows, {"C:\\Other\\", "C:\\oTHER2\\"}},
      {"\"C:\\hid", PathStyle::kWindows, {"C:\\Hidden\\"}},
      {"C:k", PathStyle::kWindows, {"C:Kurse\\"}},
      {"m", PathStyle::kWindows, {"mine\\", "My Courses\\"}},
      // Every script's letters in either case; names sorted by their folded letters.
      {"D:\\\u03BB\u03BF", PathStyle::kWindows, {"D:\\\u039B\u039F\u0393\u039F\u03A3\\"}},
      {"D:\\\u03BB\u03BF\u03B3\u03BF\u03C2", PathStyle::kWindows, {"D:\\\u039B\u039F\u0393\u039F\u03A3\\"}},
      {"D:\\\u043A\u0443\u0440", PathStyle::kWindows, {"D:\\\u041A\u0443\u0440\u0441\u044B\\"}},
      {"D:\\\u0391\u03A1", PathStyle::kWindows, {"D:\\\u03B1\u03C1\u03C7\u03AE\\"}},
      {"D:\\",
       PathStyle::kWindows,
       {"D:\\\u03B1\u03C1\u03C7\u03AE\\", "D:\\\u039B\u039F\u0393\u039F\u03A3\\",
        "D:\\\u041A\u0443\u0440\u0441\u044B\\"}},
      // A name stored decomposed matches a start typed composed, and the other way round.
      {"E:\\\u00FCb", PathStyle::kWindows, {"E:\\U\u0308bungen\\"}},
      {"E:\\a\u0308r", PathStyle::kWindows, {"E:\\\u00C4rger\\"}},
      {"/m/Caf\u00E9", PathStyle::kPosix, {"/m/Cafe\u0301 Kurse/"}},
      {"/m/CAFE\u0301", PathStyle::kPosix, {"/m/cafe\u0301/", "/m/Cafe\u0301 Kurse/"}},
      // A byte that spells no character matches itself only.
      {"E:\\kurs\xE9", PathStyle::kWindows, {"E:\\Kurs\xE9\\"}},
      // POSIX: with their case first, either case when none matches so.
      {"/r/\u043A\u0443\u0440", PathStyle::kPosix, {"/r/\u043A\u0443\u0440\u0441\u044B/"}},
      {"/r/\u041A\u0423\u0420",
       PathStyle::kPosix,
       {"/r/\u041A\u0443\u0440\u0441\u044B/", "/r/\u043A\u0443\u0440\u0441\u044B/"}},
      {"/r/\u03B4\u03AD", PathStyle::kPosix, {"/r/\u0394\u03AD\u03BB\u03C4\u03B1/"}},
  };
  for (const Row& row : rows)
    EXPECT_EQ(FolderCompletions(row.typed, row.style, Utf8CodePage(), list), row.completions) << row.typed;
}

}  // namespace
}  // namespace zul
