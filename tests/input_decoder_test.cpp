#include "terminal/input_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "dialogs/dialog_keys.h"
#include "tests/support/events.h"

namespace zul {
namespace {

// An event as one line, so that a mismatch shows every field.
std::string Show(const InputEvent& event) {
  char line[96];
  if (event.kind == InputEvent::Kind::kKey) {
    std::snprintf(line, sizeof line, "key %02X char %04X mods %02X", event.key.key,
                  static_cast<unsigned>(event.key.character), static_cast<unsigned>(event.key.modifiers));
  } else if (event.kind == InputEvent::Kind::kMouse) {
    const MouseEvent& m = event.mouse;
    std::snprintf(line, sizeof line, "mouse %d,%d buttons %u mods %02X flags %u wheel %d", m.position.x,
                  m.position.y, static_cast<unsigned>(m.buttons), static_cast<unsigned>(m.modifiers),
                  static_cast<unsigned>(m.flags), m.wheel);
  } else if (event.kind == InputEvent::Kind::kPaste) {
    std::string text;
    for (char32_t c : event.pasted) AppendUtf8(c, text);
    return "paste " + text;
  } else {
    std::snprintf(line, sizeof line, "other kind %d", static_cast<int>(event.kind));
  }
  return line;
}

std::vector<std::string> Take(InputDecoder& decoder) {
  std::vector<std::string> shown;
  InputEvent event;
  while (decoder.Next(event)) shown.push_back(Show(event));
  return shown;
}

// Feeds `bytes` in the pieces that `cuts` gives, all at time 0, then ends the input.
std::vector<std::string> DecodeInPieces(std::string_view bytes, const std::vector<std::size_t>& cuts) {
  InputDecoder decoder;
  std::size_t from = 0;
  for (std::size_t cut : cuts) {
    decoder.Feed(bytes.substr(from, cut - from), 0);
    from = cut;
  }
  decoder.Feed(bytes.substr(from), 0);
  decoder.Finish();
  return Take(decoder);
}

std::vector<std::string> Decode(std::string_view bytes) { return DecodeInPieces(bytes, {}); }

std::vector<std::string> Shown(const std::vector<InputEvent>& events) {
  std::vector<std::string> shown;
  for (const InputEvent& event : events) shown.push_back(Show(event));
  return shown;
}

std::string KeyLine(uint16_t key, char32_t byte = 0, uint32_t modifiers = 0) {
  return Show(testing::Key(key, byte, modifiers));
}

constexpr uint32_t kCtrl = modifier::kLeftCtrl;
constexpr uint32_t kAlt = modifier::kLeftAlt;
constexpr uint32_t kShift = modifier::kShift;

TEST(InputDecoderKeys, PrintableBytesAreTypedAsTheDialogTestsTypeThem) {
  std::string printable;
  for (int b = 0x20; b <= 0x7E; ++b) printable += static_cast<char>(b);
  EXPECT_EQ(Decode(printable), Shown(testing::Typed(printable)));

  InputDecoder decoder;
  decoder.Feed("a.", 0);
  InputEvent event;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(decoder.Next(event));
    EXPECT_TRUE(IsTypedCharacter(event.key)) << Show(event);
  }
}

TEST(InputDecoderKeys, ControlBytesAreEnterTabBackspaceAndCtrlLetters) {
  const std::vector<std::string> expected = {
      Show(testing::Enter()),           Show(testing::Enter()),
      KeyLine(vk::kTab, 0x09),          KeyLine(vk::kBack, 0x08),
      KeyLine(vk::kBack, 0x08),         Show(testing::CtrlC()),
      KeyLine('A', 0x01, kCtrl),        KeyLine('Z', 0x1A, kCtrl),
      KeyLine(vk::kSpace, 0x00, kCtrl), KeyLine(vk::kOemBackslash, 0x1C, kCtrl)};
  EXPECT_EQ(Decode(std::string("\r\n\t\x7f\b\x03\x01\x1a\0\x1c", 10)), expected);

  InputDecoder decoder;
  decoder.Feed("\x03\r\x01", 0);
  InputEvent ctrl_c, enter, ctrl_a;
  ASSERT_TRUE(decoder.Next(ctrl_c) && decoder.Next(enter) && decoder.Next(ctrl_a));
  EXPECT_TRUE(IsCancelKey(ctrl_c.key));
  EXPECT_TRUE(IsEnterKey(enter.key));
  EXPECT_FALSE(IsTypedCharacter(ctrl_a.key));
}

TEST(InputDecoderKeys, SequencesGiveTheirKeysWithXtermModifiers) {
  struct Case {
    const char* bytes;
    uint16_t key;
    uint32_t modifiers;
  };
  // clang-format off
  const Case cases[] = {
      {"\x1b[A", vk::kUp, 0},        {"\x1b[B", vk::kDown, 0},      {"\x1b[C", vk::kRight, 0},
      {"\x1b[D", vk::kLeft, 0},      {"\x1bOA", vk::kUp, 0},        {"\x1b[H", vk::kHome, 0},
      {"\x1b[1~", vk::kHome, 0},     {"\x1b[7~", vk::kHome, 0},     {"\x1bOH", vk::kHome, 0},
      {"\x1b[F", vk::kEnd, 0},       {"\x1b[4~", vk::kEnd, 0},      {"\x1b[8~", vk::kEnd, 0},
      {"\x1b[2~", vk::kInsert, 0},   {"\x1b[3~", vk::kDelete, 0},   {"\x1b[5~", vk::kPrior, 0},
      {"\x1b[6~", vk::kNext, 0},     {"\x1bOP", vk::kF1, 0},        {"\x1bOS", vk::kF1 + 3, 0},
      {"\x1b[11~", vk::kF1, 0},      {"\x1b[14~", vk::kF1 + 3, 0},  {"\x1b[15~", vk::kF1 + 4, 0},
      {"\x1b[17~", vk::kF1 + 5, 0},  {"\x1b[21~", vk::kF1 + 9, 0},  {"\x1b[23~", vk::kF1 + 10, 0},
      {"\x1b[24~", vk::kF1 + 11, 0}, {"\x1b[[A", vk::kF1, 0},       {"\x1b[[E", vk::kF1 + 4, 0},
      {"\x1b[1;2A", vk::kUp, kShift}, {"\x1b[1;3B", vk::kDown, kAlt}, {"\x1b[1;5C", vk::kRight, kCtrl},
      {"\x1b[1;8D", vk::kLeft, kShift | kAlt | kCtrl},                 {"\x1b[3;5~", vk::kDelete, kCtrl},
      {"\x1b[1;2P", vk::kF1, kShift}, {"\x1bO5Q", vk::kF1 + 1, kCtrl}, {"\x1b[1;9H", vk::kHome, kAlt},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(Decode(c.bytes), std::vector<std::string>{KeyLine(c.key, 0, c.modifiers)}) << c.bytes + 1;
  }
  EXPECT_EQ(Decode("\x1b[Z"), std::vector<std::string>{KeyLine(vk::kTab, 0x09, kShift)});
  EXPECT_EQ(Decode("\x1bOM"), std::vector<std::string>{Show(testing::Enter())});
}

TEST(InputDecoderKeys, SequencesThatNameNoKeyAreSwallowedWhole) {
  const std::vector<std::string> x = {KeyLine('X', 'x')};
  for (const char* bytes : {"\x1b[Ix", "\x1b[Ox", "\x1b[99~x", "\x1b[?1;2cx", "\x1b[1 qx", "\x1b[1:2Ax",
                            "\x1b[<1;2Mx", "\x1bO~x", "\x1b[[Zx"})
    EXPECT_EQ(Decode(bytes), x) << bytes + 1;
  // A byte that cannot stand in a sequence ends it and counts on its own.
  EXPECT_EQ(Decode("\x1b[1;\x1b[B"), std::vector<std::string>{KeyLine(vk::kDown)});
  EXPECT_EQ(Decode("\x1b[1\r"), std::vector<std::string>{Show(testing::Enter())});
}

TEST(InputDecoderKeys, OverlongSequencesAreDroppedUpToTheirFinalByte) {
  const std::string filler(InputDecoder::kMaxSequence - 6, '0');
  const std::string longest = "\x1b[" + filler + "1;5A";  // exactly kMaxSequence bytes
  ASSERT_EQ(longest.size(), InputDecoder::kMaxSequence);
  EXPECT_EQ(Decode(longest), std::vector<std::string>{KeyLine(vk::kUp, 0, kCtrl)});
  const std::string overlong = "\x1b[0" + filler + "1;5A";
  EXPECT_EQ(Decode(overlong + "x"), std::vector<std::string>{KeyLine('X', 'x')});
  EXPECT_EQ(Decode("\x1b[" + std::string(500, '9') + "\r"), std::vector<std::string>{Show(testing::Enter())});

  InputDecoder decoder;  // the final byte comes in a later read
  decoder.Feed("\x1b[" + std::string(200, ';'), 0);
  decoder.Feed(std::string(200, '7'), 1);
  decoder.Feed("~y", 2);
  EXPECT_EQ(Take(decoder), std::vector<std::string>{KeyLine('Y', 'y')});
  EXPECT_EQ(decoder.MillisecondsUntilTimeout(2), -1);

  // One whose final byte never comes stops being skipped when its time runs out.
  decoder.Feed("\x1b[" + std::string(100, '1'), 10);
  decoder.Tick(10 + InputDecoder::kSequenceTimeoutMs);
  decoder.Feed("\x1b[" + std::string(100, '2'), 1000);
  decoder.Finish();
  decoder.Feed("ab", 1000);
  EXPECT_EQ(Take(decoder), (std::vector<std::string>{KeyLine('A', 'a'), KeyLine('B', 'b')}));
}

TEST(InputDecoderEscape, LoneEscIsTheEscapeKeyOnlyAfterItsTimeout) {
  InputDecoder decoder;
  EXPECT_EQ(decoder.MillisecondsUntilTimeout(0), -1);
  decoder.Tick(1000);
  EXPECT_TRUE(Take(decoder).empty());

  decoder.Feed("\x1b", 100);
  EXPECT_EQ(decoder.MillisecondsUntilTimeout(105), InputDecoder::kEscapeTimeoutMs - 5);
  decoder.Tick(100 + InputDecoder::kEscapeTimeoutMs - 1);
  EXPECT_TRUE(Take(decoder).empty());
  EXPECT_EQ(decoder.MillisecondsUntilTimeout(200), 0);
  decoder.Tick(100 + InputDecoder::kEscapeTimeoutMs);
  EXPECT_EQ(Take(decoder), std::vector<std::string>{Show(testing::Esc())});
  EXPECT_EQ(decoder.MillisecondsUntilTimeout(200), -1);

  InputDecoder ended;
  ended.Feed("\x1b", 0);
  ended.Finish();
  InputEvent esc;
  ASSERT_TRUE(ended.Next(esc));
  EXPECT_EQ(Show(esc), Show(testing::Esc()));
  EXPECT_TRUE(IsCancelKey(esc.key));
}

TEST(InputDecoderEscape, WhatFollowsEscQuicklyBelongsToIt) {
  InputDecoder decoder;
  decoder.Feed("\x1b", 0);
  decoder.Tick(10);
  decoder.Feed("[A", 15);
  EXPECT_EQ(Take(decoder), std::vector<std::string>{KeyLine(vk::kUp)});

  decoder.Feed("\x1b", 100);
  decoder.Feed("x", 110);
  decoder.Feed("\x1b", 200);
  decoder.Feed("x", 200 + InputDecoder::kEscapeTimeoutMs + 10);  // too late: Esc was alone
  EXPECT_EQ(Take(decoder),
            (std::vector<std::string>{KeyLine('X', 'x', kAlt), Show(testing::Esc()), KeyLine('X', 'x')}));
  InputEvent alt_x;
  decoder.Feed("\x1bx", 300);
  ASSERT_TRUE(decoder.Next(alt_x));
  EXPECT_FALSE(IsTypedCharacter(alt_x.key));

  EXPECT_EQ(Decode("\x1b\x1b"), (std::vector<std::string>{Show(testing::Esc()), Show(testing::Esc())}));
  EXPECT_EQ(Decode("\x1b\x1b[B"), (std::vector<std::string>{Show(testing::Esc()), KeyLine(vk::kDown)}));
  EXPECT_EQ(Decode("\x1b\r"), std::vector<std::string>{KeyLine(vk::kReturn, 0x0D, kAlt)});
  EXPECT_EQ(Decode("\x1b\x03"), std::vector<std::string>{KeyLine('C', 0x03, kCtrl | kAlt)});
}

TEST(InputDecoderEscape, EscWithAnIntroducerAloneIsAltWithItAfterTheSequenceTimeout) {
  InputDecoder decoder;
  decoder.Feed("\x1b[", 0);
  EXPECT_EQ(decoder.MillisecondsUntilTimeout(0), InputDecoder::kSequenceTimeoutMs);
  decoder.Tick(InputDecoder::kEscapeTimeoutMs * 2);
  EXPECT_TRUE(Take(decoder).empty());
  decoder.Tick(InputDecoder::kSequenceTimeoutMs);
  EXPECT_EQ(Take(decoder), std::vector<std::string>{KeyLine(0, '[', kAlt)});
  EXPECT_EQ(Decode("\x1bO"), std::vector<std::string>{KeyLine('O', 'O', kShift | kAlt)});
  EXPECT_EQ(Decode("\x1bO\r"),
            (std::vector<std::string>{KeyLine('O', 'O', kShift | kAlt), Show(testing::Enter())}));
  // Any longer partial sequence is dropped when its time runs out.
  decoder.Feed("\x1b[1;5", 1000);
  decoder.Tick(1000 + InputDecoder::kSequenceTimeoutMs);
  decoder.Feed("A", 1000 + InputDecoder::kSequenceTimeoutMs);
  EXPECT_EQ(Take(decoder), std::vector<std::string>{KeyLine('A', 'A', kShift)});
}

std::string Sgr(int code, int x, int y, char final_byte = 'M') {
  return "\x1b[<" + std::to_string(code) + ";" + std::to_string(x) + ";" + std::to_string(y) + final_byte;
}

std::string MouseLine(int x, int y, uint32_t buttons, uint32_t modifiers = 0, uint32_t flags = 0,
                      int16_t wheel = 0) {
  InputEvent event = testing::Click(x, y, modifiers);
  event.mouse.buttons = buttons;
  event.mouse.flags = flags;
  event.mouse.wheel = wheel;
  return Show(event);
}

TEST(InputDecoderMouse, SgrReportsKeepTheButtonsHeldAfterEachEvent) {
  InputDecoder decoder;
  decoder.Feed(Sgr(0, 10, 5), 0);
  EXPECT_EQ(decoder.ButtonsHeld(), mouse::kLeftButton);
  decoder.Feed(Sgr(2, 11, 5) + Sgr(32, 12, 6) + Sgr(0, 12, 6, 'm') + Sgr(1, 1, 1), 10);
  EXPECT_EQ(decoder.ButtonsHeld(), mouse::kRightButton | mouse::kMiddleButton);
  decoder.Feed(Sgr(2, 1, 1, 'm') + Sgr(35, 3, 3) + Sgr(1, 1, 1, 'm'), 20);  // motion with none held
  EXPECT_EQ(decoder.ButtonsHeld(), 0u);
  const uint32_t left = mouse::kLeftButton, right = mouse::kRightButton, middle = mouse::kMiddleButton;
  EXPECT_EQ(Take(decoder),
            (std::vector<std::string>{Show(testing::Click(9, 4)), MouseLine(10, 4, left | right),
                                      MouseLine(11, 5, left | right, 0, mouse::kMoved), MouseLine(11, 5, right),
                                      MouseLine(0, 0, right | middle), MouseLine(0, 0, middle),
                                      MouseLine(2, 2, 0, 0, mouse::kMoved), MouseLine(0, 0, 0)}));
  decoder.Feed(Sgr(0, 9, 9, 'm'), 30);  // a release of what was never pressed
  EXPECT_EQ(Take(decoder), std::vector<std::string>{Show(testing::Release(8, 8))});
}

TEST(InputDecoderMouse, ModifiersWheelAndReportsOffTheScreen) {
  EXPECT_EQ(Decode(Sgr(4, 3, 4) + Sgr(16, 4, 4) + Sgr(8, 5, 4)),
            (std::vector<std::string>{Show(testing::Click(2, 3, kShift)), Show(testing::Click(3, 3, kCtrl)),
                                      Show(testing::Click(4, 3, kAlt))}));
  EXPECT_EQ(
      Decode(Sgr(64, 5, 6) + Sgr(65 + 16, 5, 6) + Sgr(66, 5, 6) + Sgr(67, 5, 6)),
      (std::vector<std::string>{Show(testing::Wheel(4, 5, 1)), MouseLine(4, 5, 0, kCtrl, mouse::kWheeled, -1)}));
  EXPECT_EQ(Decode(Sgr(0, 0, 4) + Sgr(0, 4, 0) + Sgr(128, 1, 1) + "\x1b[<0;1M" + "\x1b[<0;1;2;3M"),
            std::vector<std::string>{});
  EXPECT_EQ(Decode(Sgr(0, 99999, 1)), std::vector<std::string>{Show(testing::Click(32766, 0))});
}

TEST(InputDecoderMouse, ASecondQuickLeftPressOnTheSameCellIsADoubleClick) {
  InputDecoder decoder;
  const std::string press = Sgr(0, 4, 2), release = Sgr(0, 4, 2, 'm');
  decoder.Feed(press + release, 0);
  decoder.Feed(press + release, 100);
  decoder.Feed(press + release, 200);                                // third: plain again
  decoder.Feed(press, 200 + InputDecoder::kDoubleClickMs);           // fourth: double again, just in time
  decoder.Feed(Sgr(4, 4, 2), InputDecoder::kDoubleClickMs * 3);      // too slow
  decoder.Feed(Sgr(4, 5, 2), InputDecoder::kDoubleClickMs * 3 + 1);  // another cell
  decoder.Feed(Sgr(2, 5, 2) + Sgr(0, 5, 2), InputDecoder::kDoubleClickMs * 3 + 2);  // right press between
  const std::string up = Show(testing::Release(3, 1));
  const std::string right_held = MouseLine(4, 1, mouse::kLeftButton | mouse::kRightButton);
  EXPECT_EQ(Take(decoder),
            (std::vector<std::string>{Show(testing::Click(3, 1)), up, Show(testing::DoubleClick(3, 1)), up,
                                      Show(testing::Click(3, 1)), up, Show(testing::DoubleClick(3, 1)),
                                      Show(testing::Click(3, 1, kShift)), Show(testing::Click(4, 1, kShift)),
                                      right_held, right_held}));
}

// Ctrl or Shift on either press makes two clicks of a quick pair on one cell.
TEST(InputDecoderMouse, OnlyTwoPlainPressesMakeADoubleClick) {
  InputDecoder decoder;
  const std::string plain = Sgr(0, 4, 2), ctrl = Sgr(16, 4, 2), shift = Sgr(4, 4, 2);
  decoder.Feed(ctrl + ctrl + plain + shift + plain + plain, 0);
  EXPECT_EQ(Take(decoder),
            (std::vector<std::string>{Show(testing::Click(3, 1, kCtrl)), Show(testing::Click(3, 1, kCtrl)),
                                      Show(testing::Click(3, 1)), Show(testing::Click(3, 1, kShift)),
                                      Show(testing::Click(3, 1)), Show(testing::DoubleClick(3, 1))}));
}

TEST(InputDecoderMouse, X10ReportsAreBytesOffsetBy32) {
  const auto x10 = [](int code, int x, int y) {
    return std::string("\x1b[M") + static_cast<char>(code + 32) + static_cast<char>(x + 32) +
           static_cast<char>(y + 32);
  };
  EXPECT_EQ(Decode(x10(0, 10, 5) + x10(3, 10, 5) + x10(2 + 16, 200, 1) + x10(3, 200, 1) + x10(65, 1, 1)),
            (std::vector<std::string>{Show(testing::Click(9, 4)), Show(testing::Release(9, 4)),
                                      MouseLine(199, 0, mouse::kRightButton, kCtrl), MouseLine(199, 0, 0),
                                      Show(testing::Wheel(0, 0, -1))}));
}

TEST(InputDecoderText, Utf8TypesItsCharacters) {
  EXPECT_EQ(Decode("\xc3\xa9\xe2\x96\x91"), (std::vector<std::string>{KeyLine(0, 0xE9), KeyLine(0, 0x2591)}));
  EXPECT_EQ(Decode("\x1b\xc3\xa9"), std::vector<std::string>{KeyLine(0, 0xE9, kAlt)});
  EXPECT_EQ(Decode("\xe2\x82\xac\xf0\x9f\x98\x80"),
            (std::vector<std::string>{KeyLine(0, 0x20AC), KeyLine(0, 0x1F600)}));
  EXPECT_EQ(Decode("\xc2\x9b\xc2\x85"), std::vector<std::string>{});  // C1 controls type nothing
  const std::vector<std::string> x = {KeyLine('X', 'x')};
  const char* invalid[] = {"\xffx",     "\x80x",        "\xc3x", "\xc0\xafx", "\xed\xa0\x80x", "\xf4\x90\x80\x80x",
                           "\xe2\x96x", "\xe0\x80\x80x"};
  for (std::size_t i = 0; i < std::size(invalid); ++i) EXPECT_EQ(Decode(invalid[i]), x) << "invalid sample " << i;

  InputDecoder decoder;  // a character cut off waits for its rest, then is dropped when it never comes
  decoder.Feed("\xe2\x96", 0);
  EXPECT_EQ(decoder.MillisecondsUntilTimeout(0), InputDecoder::kSequenceTimeoutMs);
  decoder.Feed("\x91", 100);
  decoder.Feed("\xc3", 200);
  decoder.Tick(200 + InputDecoder::kEscapeTimeoutMs);  // not a lone Esc: it waits longer
  decoder.Feed("\xa9", 300);
  decoder.Feed("\xc3", 400);
  decoder.Tick(400 + InputDecoder::kSequenceTimeoutMs);
  decoder.Feed("\xa9", 950);
  EXPECT_EQ(Take(decoder), (std::vector<std::string>{KeyLine(0, 0x2591), KeyLine(0, 0xE9)}));
}

// Bytes that make no sense are dropped and counted, whole or fed a byte at a
// time; input that makes sense but names nothing reported is not.
TEST(InputDecoderDrops, OnlyBytesThatMakeNoSenseAreCounted) {
  struct Case {
    std::string bytes;
    std::size_t dropped;
  };
  // clang-format off
  const Case cases[] = {
      {"ab\x1b", 0},        {"\x1b[I\x1b[99~\x1b[[Z", 0}, {"\xe2\x82\xac\x1b[", 0}, {"\xffx", 1},
      {"\xc3x", 1},         {"\x1b\xff", 2},              {"\x1b[1;\x1b[B", 4},       {"\x1b[[1", 3},
      {"\x1b[M\x1f!!", 6},  {"\x1b[1;5", 5},              {"\xe2\x96", 2},
      {"\x1b[" + std::string(100, '1') + "Ab", 103},
  };
  // clang-format on
  for (const Case& c : cases) {
    for (bool bytewise : {false, true}) {
      InputDecoder decoder;
      if (bytewise)
        for (char byte : c.bytes) decoder.Feed(std::string_view(&byte, 1), 0);
      else
        decoder.Feed(c.bytes, 0);
      decoder.Finish();
      EXPECT_EQ(decoder.DroppedBytes(), c.dropped) << c.bytes << (bytewise ? " fed bytewise" : "");
    }
  }
}

// A bracketed paste is text: one event with every character between the brackets
// but line breaks, Esc, the other control characters, DEL and bytes that spell none.
TEST(InputDecoderPaste, EveryByteBetweenTheBracketsIsText) {
  const struct {
    const char* bytes;
    std::vector<std::string> events;
  } cases[] = {
      {"\x1b[200~ab\r\ncd\ne\rf\x1b[201~x", {"paste abcdef", KeyLine('X', 'x')}},
      {"\x1b[200~a\tb\x1b[Ac\x7f\xc2\x85\x03"
       "d\xff\xc3\xa9\x1b[201~",
       {"paste ab[Acd\u00E9"}},
      {"\x1b[200~a\x1b[200~b\x1b[201~", {"paste a[200~b"}},
      {"\x1b[200~\r\n\x1b\x1b[201~\r", {Show(testing::Enter())}},  // nothing left: no paste
      {"\x1b[200~ab", {"paste ab"}},                               // the input ended first
      {"\x1b[2000~a", {KeyLine('A', 'a')}},                        // no paste bracket
  };
  for (const auto& c : cases) EXPECT_EQ(Decode(c.bytes), c.events) << c.bytes + 1;

  // Without its closing bracket a paste ends 500 ms after its last byte, whether its
  // last bytes may begin the bracket or not; what comes then is typed again.
  for (const auto& [last, text] : {std::pair{"c\x1b[20", "paste abc[20"}, std::pair{"c", "paste abc"}}) {
    SCOPED_TRACE(last);
    InputDecoder decoder;
    decoder.Feed("\x1b[200~ab\r", 0);
    decoder.Feed(last, 300);
    decoder.Tick(799);
    EXPECT_TRUE(Take(decoder).empty());
    EXPECT_EQ(decoder.MillisecondsUntilTimeout(799), 1);
    decoder.Tick(800);
    EXPECT_EQ(decoder.MillisecondsUntilTimeout(800), -1);
    decoder.Feed("\r", 900);
    EXPECT_EQ(Take(decoder), (std::vector<std::string>{text, Show(testing::Enter())}));
  }

  // One paste keeps its first 256 KiB, however it comes; the rest of it is dropped
  // and counted, and what follows its end is read as ever.
  const std::size_t kept = 256 * 1024;
  const std::string pasted = std::string(kept, 'a') + std::string(10, 'b');
  for (std::size_t piece : {pasted.size(), std::size_t{4096}}) {
    SCOPED_TRACE(piece);
    InputDecoder decoder;
    decoder.Feed("\x1b[200~", 0);
    for (std::size_t at = 0; at < pasted.size(); at += piece) decoder.Feed(pasted.substr(at, piece), 0);
    decoder.Feed("\x1b[201~x", 0);
    InputEvent event;
    ASSERT_TRUE(decoder.Next(event));
    EXPECT_EQ(event.pasted.size(), kept);
    EXPECT_EQ(event.pasted.find_first_not_of(U'a'), std::u32string::npos);
    EXPECT_EQ(decoder.DroppedBytes(), 10u);
    EXPECT_EQ(Take(decoder), std::vector<std::string>{KeyLine('X', 'x')});
  }
}

// Every sequence above, whole and in every way of cutting it in two or into
// single bytes, decodes alike.
TEST(InputDecoderSplits, ACutAtAnyByteChangesNothing) {
  // clang-format off
  const std::string samples[] = {
      "\x1b[1;5A", "\x1bOP", "\x1b[24~", "\x1b[[B", Sgr(0, 10, 5) + Sgr(0, 10, 5, 'm'), Sgr(65, 300, 2),
      "\x1b[M #$", "\x1bx", "\x1b\x1b", "\xe2\x96\x91", "\x1b\xc3\xa9", "\x1b[200~a\x1b[201~", "\x1b[200~a\r\n\x1b[Ab\x1b[201~c", "\x1b[1;\x1b[B",
      "\x1b[Z\r", "\x1b[I", "\xc3x", "\x1b[" + std::string(100, '1') + "Ab"};
  // clang-format on
  for (const std::string& sample : samples) {
    const std::vector<std::string> whole = Decode(sample);
    std::vector<std::size_t> every;
    for (std::size_t cut = 1; cut < sample.size(); ++cut) {
      EXPECT_EQ(DecodeInPieces(sample, {cut}), whole) << "cut at " << cut << " of " << sample.substr(1);
      every.push_back(cut);
    }
    EXPECT_EQ(DecodeInPieces(sample, every), whole) << sample.substr(1);
  }
}

// A stream of reports, keys, characters and stray bytes, with random numbers
// in the reports, fed in random pieces at random times.
TEST(InputDecoderSplits, RandomInputGivesOnlySoundEventsAndNeverWaitsLong) {
  std::mt19937 random(20240611);
  const auto number = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  std::string stream;
  const char* const pieces[] = {"\x1b", "\x1b[", "\x1bO", ";", "~", "\xc3\xa9", "\xe2\x96", "[<", "A", "M"};
  while (stream.size() < 40000) {
    switch (number(6)) {
      case 0:
        stream += Sgr(number(256), number(300), number(300), number(2) ? 'M' : 'm');
        break;
      case 1:
        stream += std::string("\x1b[M") + static_cast<char>(number(256)) + static_cast<char>(number(256)) +
                  static_cast<char>(number(256));
        break;
      case 2:
        stream += "\x1b[" + std::to_string(number(30)) + ";" + std::to_string(number(20)) +
                  static_cast<char>(0x40 + number(63));
        break;
      case 3:
        stream += pieces[number(std::size(pieces))];
        break;
      default:
        stream += static_cast<char>(number(256));
        break;
    }
  }
  InputDecoder decoder;
  int64_t now = 0;
  int keys = 0, mice = 0;
  const auto check = [&] {
    InputEvent event;
    while (decoder.Next(event)) {
      if (event.kind == InputEvent::Kind::kKey) {
        ++keys;
        EXPECT_EQ(event.key.modifiers & ~(kShift | kAlt | kCtrl), 0u) << Show(event);
        continue;
      }
      ASSERT_EQ(event.kind, InputEvent::Kind::kMouse);
      ++mice;
      const MouseEvent& m = event.mouse;
      EXPECT_EQ(m.buttons & ~7u, 0u) << Show(event);
      EXPECT_EQ(m.modifiers & ~(kShift | kAlt | kCtrl), 0u) << Show(event);
      EXPECT_TRUE(m.flags == 0 || m.flags == mouse::kMoved || m.flags == mouse::kDoubleClick ||
                  m.flags == mouse::kWheeled)
          << Show(event);
      EXPECT_EQ(m.wheel != 0, m.flags == mouse::kWheeled) << Show(event);
      EXPECT_TRUE(m.wheel >= -1 && m.wheel <= 1) << Show(event);
      EXPECT_TRUE(m.position.x >= 0 && m.position.y >= 0) << Show(event);
    }
  };
  for (std::size_t at = 0; at < stream.size();) {
    const std::size_t length = std::min<std::size_t>(number(24), stream.size() - at);
    now += number(30);
    decoder.Feed(std::string_view(stream).substr(at, length), now);
    at += length;
    if (number(4) == 0) decoder.Tick(now += number(600));
    EXPECT_LE(decoder.MillisecondsUntilTimeout(now), InputDecoder::kSequenceTimeoutMs);
    EXPECT_EQ(decoder.ButtonsHeld() & ~7u, 0u);
    check();
  }
  decoder.Finish();
  check();
  EXPECT_EQ(decoder.MillisecondsUntilTimeout(now), -1);
  EXPECT_GT(keys, 1000);
  EXPECT_GT(mice, 300);
}

}  // namespace
}  // namespace zul
