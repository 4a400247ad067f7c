#include "bench/bench_support.h"

#include <gtest/gtest.h>

#include <string>

namespace zul::bench {
namespace {

constexpr const char* kList = "Make simultaneous choices";

TEST(Median, TakesTheMiddleOrTheMeanOfTheTwoMiddleSamples) {
  EXPECT_EQ(Median({}), std::nullopt);
  EXPECT_EQ(Median({7}), 7);
  EXPECT_EQ(Median({9, 1, 5}), 5);
  EXPECT_EQ(Median({40, 10, 30, 20}), 25);
  EXPECT_EQ(Median({3, 3, 1, 100, 3}), 3);
}

TEST(ParseOptions, ReadsEachOptionAndRefusesBadOnes) {
  Options defaults;
  defaults.chooser = "default/zulchooser";
  const auto parsed =
      ParseOptions({"--runs", "3", "--skip-listing", "--quiet-ms", "40", "--chooser", "x/z"}, defaults);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->runs, 3);
  EXPECT_EQ(parsed->quiet_ms, 40);
  EXPECT_EQ(parsed->timeout_ms, 5000);
  EXPECT_TRUE(parsed->skip_listing);
  EXPECT_FALSE(parsed->skip_completion);
  EXPECT_EQ(parsed->chooser, "x/z");
  EXPECT_EQ(ParseOptions({}, defaults)->chooser, "default/zulchooser");
  EXPECT_EQ(ParseOptions({"--timeout-ms", "600000"}, defaults)->timeout_ms, 600000);
  EXPECT_TRUE(ParseOptions({"--skip-completion"}, defaults)->skip_completion);
  for (const std::vector<std::string_view>& bad :
       std::vector<std::vector<std::string_view>>{{"--runs"},
                                                  {"--runs", "0"},
                                                  {"--runs", "101"},
                                                  {"--runs", "3x"},
                                                  {"--runs", "-1"},
                                                  {"--runs", ""},
                                                  {"--quiet-ms", "0"},
                                                  {"--timeout-ms", "99"},
                                                  {"--chooser"},
                                                  {"--chooser", ""},
                                                  {"--runs", "2", "--fast"},
                                                  {"runs"}}) {
    EXPECT_FALSE(ParseOptions(bad, defaults)) << bad.front() << " " << bad.size();
  }
}

TEST(Medians, TakesEachFigureOverTheRunsOnItsOwn) {
  EXPECT_FALSE(Medians({}).bytes_total);
  EXPECT_FALSE(Medians({}).esc_exit_ms);
  const Figures f = Medians({{100, 4, 0.3, 9, 50, 2}, {300, 2, 0.1, 7, 10, 4}, {200, 6, 0.2, 8, 30, 3}});
  EXPECT_EQ(f.bytes_total, 200);
  EXPECT_EQ(f.bytes_per_pair, 4);
  EXPECT_EQ(f.cpu_s, 0.2);
  EXPECT_EQ(f.first_frame_ms, 8);
  EXPECT_EQ(f.esc_exit_ms, 30);
  EXPECT_EQ(f.peak_mib, 3);
}

TEST(JudgeTargets, ComparesWithWhiptailAndNeverPassesWhatWasNotMeasured) {
  const Figures whiptail{6000, 50, 0.02, 8, 500, 4};
  EXPECT_EQ(Ratio(3000, 6000), 0.5);
  EXPECT_EQ(Ratio(3000, 0), std::nullopt);
  EXPECT_EQ(Ratio(std::nullopt, 6000), std::nullopt);
  // At the limits: met; just above them: not met.
  Verdicts v = JudgeTargets({4800, 75, 0.02, 5, 49.9, 3}, whiptail);
  EXPECT_EQ(v.bytes_total, true);
  EXPECT_EQ(v.bytes_per_pair, true);
  EXPECT_EQ(v.cpu, true);
  EXPECT_EQ(v.esc_exit, true);
  v = JudgeTargets({4801, 75.1, 0.021, 5, 50, 3}, whiptail);
  EXPECT_EQ(v.bytes_total, false);
  EXPECT_EQ(v.bytes_per_pair, false);
  EXPECT_EQ(v.cpu, false);
  EXPECT_EQ(v.esc_exit, false);
  // Keys that redraw nothing do not meet the per-pair target.
  EXPECT_EQ(JudgeTargets({3000, 0, 0.01, 5, 10, 3}, whiptail).bytes_per_pair, false);
  // Without our runs or without whiptail's, nothing is judged met.
  v = JudgeTargets({}, whiptail);
  EXPECT_FALSE(v.bytes_total || v.bytes_per_pair || v.cpu || v.esc_exit);
  v = JudgeTargets({3000, 20, 0.01, 5, 10, 3}, {});
  EXPECT_FALSE(v.bytes_total || v.bytes_per_pair || v.cpu);
  EXPECT_EQ(v.esc_exit, true);
}

// A frame as a full-screen program draws it: its own screen, box glyphs, colours, then text.
const std::string kFrame =
    "\x1b[?1049h\x1b[2J\x1b[3;5H\x1b[37;44m\xe2\x94\x8c\xe2\x94\x80\xe2\x94\x90"
    "\x1b[4;7HMake simultaneous choices\x1b(B\x1b[m\x1b]0;title\x07\x1b[4;40H";

TEST(TerminalModel, SeesAMarkerHoweverTheOutputIsSplitAcrossReads) {
  for (size_t cut = 0; cut <= kFrame.size(); ++cut) {
    TerminalModel model(80, 30);
    model.Expect(kList);
    model.Feed(kFrame.substr(0, cut));
    model.Feed(kFrame.substr(cut));
    EXPECT_TRUE(model.MarkerSeen()) << "cut at " << cut;
    EXPECT_EQ(model.Row(3).substr(6, 25), kList) << "cut at " << cut;
  }
  TerminalModel bytewise(80, 30);
  bytewise.Expect(kList);
  for (const char c : kFrame) bytewise.Feed(std::string(1, c));
  EXPECT_TRUE(bytewise.MarkerSeen());
}

TEST(TerminalModel, SeesMarkersThatADiffRendererDrawsInPieces) {
  // Blanks skipped by moving the cursor: seen in the stream and on the row.
  TerminalModel skipped(80, 30);
  skipped.Expect(kList);
  skipped.Feed("\x1b[2;1HMake\x1b[2;6Hsimultaneous\x1b[1Cchoices");
  EXPECT_TRUE(skipped.MarkerSeen());
  // Right part first: only the screen shows the text in order.
  TerminalModel scattered(80, 30);
  scattered.Expect(kList);
  scattered.Feed("\x1b[2;19Hchoices\x1b[2;1HMake simultaneous");
  EXPECT_TRUE(scattered.MarkerSeen());
  // Cells already right are not sent again: the screen still shows the text.
  TerminalModel kept(80, 30);
  kept.Feed("\x1b[5;1HMake simultaneous chXices");
  kept.Expect(kList);
  EXPECT_FALSE(kept.MarkerSeen());
  kept.Feed("\x1b[5;21Ho");
  EXPECT_TRUE(kept.MarkerSeen());
}

TEST(TerminalModel, DoesNotSeeMarkersThatAreNotShown) {
  TerminalModel broken(80, 30);
  broken.Expect(kList);
  broken.Feed("Make simultaneous-choices\r\n\x1b]2;Make simultaneous choices\x07");  // broken, and only a title
  EXPECT_FALSE(broken.MarkerSeen());

  // Drawn, then cleared before the wait began: what the stream showed is forgotten.
  TerminalModel model(80, 30);
  model.Expect(kList);
  model.Feed("\x1b[H\x1b[2JMake simultaneous choices\x1b[2J");
  EXPECT_TRUE(model.MarkerSeen());
  model.Expect(kList);
  EXPECT_FALSE(model.MarkerSeen());
  // Drawn on the last row, scrolled up by line feeds, then off the screen.
  model.Feed("\x1b[30;1HMake simultaneous choices\n\n\n");
  model.Expect(kList);
  EXPECT_TRUE(model.MarkerSeen());
  EXPECT_EQ(model.Row(26).substr(0, 4), "Make");
  model.Feed(std::string(27, '\n'));
  EXPECT_FALSE(model.MarkerSeen());
  // Leaving the other screen blanks it too.
  model.Feed("\x1b[1;1HMake simultaneous choices");
  model.Expect(kList);
  EXPECT_TRUE(model.MarkerSeen());
  model.Feed("\x1b[?1049l");
  EXPECT_FALSE(model.MarkerSeen());
}

TEST(TerminalModel, MovesTheCursorAndErasesAsATerminalDoes) {
  struct Case {
    const char* output;
    const char* row0;
  };
  const Case cases[] = {
      {"abc\rX", "Xbc"},
      {"abcd\b\bX", "abXd"},
      {"a\tb", "a       b"},
      {"abcdef\x1b[1;3H\x1b[K", "ab    "},
      {"abcdef\x1b[1;3H\x1b[1K", "   def"},
      {"abcdef\x1b[1;2H\x1b[2X", "a  def"},
      {"abcdef\x1b[1;2H\x1b[2P", "adef  "},
      {"abcdef\x1b[1;2H\x1b[2@", "a  bcd"},
      {"ab\x1b[3b", "abbbb"},
      {"abc\x1b[2D\x1b[C\x1b[1CX", "abcX"},
      {"\x1b[2;5Hz\x1b[A\x1b[GX", "X   "},
      {"\x1b[1;78Habcde", "   "},  // the rest wraps to the next row
      {"abc\x1b"
       "7\x1b[1;9HX\x1b"
       "8Y",
       "abcY    X"},                       // cursor saved and restored
      {"\x1b[200;200HX\x1b[1;1H", "   "},  // moves stay on the screen
  };
  for (const Case& c : cases) {
    TerminalModel model(80, 30);
    model.Feed(c.output);
    EXPECT_EQ(model.Row(0).substr(0, std::string(c.row0).size()), c.row0) << "output " << c.output;
  }
  TerminalModel wrap(80, 30);
  wrap.Feed("\x1b[1;78Habcde\x1b[200;200HX");
  EXPECT_EQ(wrap.Row(0).substr(77), "abc");
  EXPECT_EQ(wrap.Row(1).substr(0, 3), "de ");
  EXPECT_EQ(wrap.Row(29).back(), 'X');
  TerminalModel pending(80, 30);  // a move back ends a pending wrap
  pending.Feed("\x1b[1;79Hab\x1b[DX");
  EXPECT_EQ(pending.Row(0).substr(77), " Xb");
  EXPECT_EQ(pending.Row(1).substr(0, 3), "   ");
}

TEST(TerminalModel, FollowsTheCursorKeyMode) {
  TerminalModel model(80, 30);
  EXPECT_FALSE(model.ApplicationCursorKeys());
  model.Feed("\x1b[?");
  model.Feed("1h");
  EXPECT_TRUE(model.ApplicationCursorKeys());
  model.Feed("\x1b[1l\x1b[?25l");  // another mode of the same number, another private mode
  EXPECT_TRUE(model.ApplicationCursorKeys());
  model.Feed("\x1b[?1049;1l");
  EXPECT_FALSE(model.ApplicationCursorKeys());
  model.Feed(
      "\x1b[?1h\x1b"
      "c");  // a full reset
  EXPECT_FALSE(model.ApplicationCursorKeys());
}

TEST(NextQuietStep, WaitsForTheMarkerThenForSilence) {
  // Before the marker: wait up to the deadline, then time out.
  EXPECT_EQ(NextQuietStep(10, 5, 100, 25, false).kind, QuietStep::kWait);
  EXPECT_EQ(NextQuietStep(10, 5, 100, 25, false).wait_ms, 90);
  EXPECT_EQ(NextQuietStep(100, 0, 100, 25, false).kind, QuietStep::kTimedOut);
  // After it: wait for the rest of the quiet time, rounded up, at least 1 ms.
  EXPECT_EQ(NextQuietStep(30, 20, 100, 25, true).wait_ms, 15);
  EXPECT_EQ(NextQuietStep(44.5, 20, 100, 25, true).wait_ms, 1);
  EXPECT_EQ(NextQuietStep(90, 80, 100, 25, true).wait_ms, 10);  // the deadline comes first
  EXPECT_EQ(NextQuietStep(45, 20, 100, 25, true).kind, QuietStep::kQuiet);
  // Quiet found at the deadline counts; output that never stops does not.
  EXPECT_EQ(NextQuietStep(130, 100, 100, 25, true).kind, QuietStep::kQuiet);
  EXPECT_EQ(NextQuietStep(130, 120, 100, 25, true).kind, QuietStep::kTimedOut);
}

}  // namespace
}  // namespace zul::bench
