#include "win32/input_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/code_page.h"
#include "tests/support/printers.h"

namespace zul {
namespace {

TEST(KeyFromRecord, KeepsTheKeyTheByteAndOnlyTheModifierBits) {
  const KeyEvent ctrl_c = KeyFromRecord(0x43, 0x03, 0x0008 | 0x0020 | 0x0100);  // with num lock, enhanced
  EXPECT_EQ(ctrl_c.key, 0x43);
  EXPECT_EQ(ctrl_c.character, 0x03);
  EXPECT_EQ(ctrl_c.modifiers, modifier::kLeftCtrl);

  const KeyEvent up = KeyFromRecord(vk::kUp, 0, modifier::kShift | 0x0080);  // with caps lock
  EXPECT_EQ(up.key, vk::kUp);
  EXPECT_EQ(up.character, 0);
  EXPECT_EQ(up.modifiers, modifier::kShift);

  EXPECT_EQ(KeyFromRecord(vk::kEscape, 0, 0).character, 0x1B);
  EXPECT_EQ(KeyFromRecord(vk::kEscape, 0x1B, 0).character, 0x1B);
  EXPECT_EQ(KeyFromRecord(vk::kDelete, 0, 0).character, 0);

  const KeyEvent umlaut = KeyFromRecord(0xBA, U'\u00FC', modifier::kRightAlt | modifier::kLeftCtrl);
  EXPECT_EQ(umlaut.character, U'\u00FC');
  EXPECT_EQ(umlaut.modifiers, modifier::kRightAlt | modifier::kLeftCtrl);
}

TEST(MouseFromRecord, TranslatesButtonsKindsAndWheelDirection) {
  MouseEvent mouse;
  ASSERT_TRUE(MouseFromRecord({12, 7}, 0x0001 | 0x0008, modifier::kLeftCtrl | 0x0100, mouse::kDoubleClick, mouse));
  EXPECT_EQ(mouse.position, (Coord{12, 7}));
  EXPECT_EQ(mouse.buttons, mouse::kLeftButton);  // the fourth button is not reported
  EXPECT_EQ(mouse.modifiers, modifier::kLeftCtrl);
  EXPECT_EQ(mouse.flags, mouse::kDoubleClick);
  EXPECT_EQ(mouse.wheel, 0);

  ASSERT_TRUE(MouseFromRecord({0, 0}, 120u << 16, 0, mouse::kWheeled, mouse));
  EXPECT_EQ(mouse.wheel, 1);
  EXPECT_EQ(mouse.buttons, 0u);
  ASSERT_TRUE(MouseFromRecord({0, 0}, 0xFF880000u | mouse::kRightButton, 0, mouse::kWheeled, mouse));  // -120
  EXPECT_EQ(mouse.wheel, -1);
  EXPECT_EQ(mouse.buttons, mouse::kRightButton);

  // A moved event keeps no wheel even when the high word is not zero.
  ASSERT_TRUE(MouseFromRecord({1, 1}, 0x00780000u, 0, mouse::kMoved, mouse));
  EXPECT_EQ(mouse.wheel, 0);
  EXPECT_EQ(mouse.flags, mouse::kMoved);

  // A horizontal wheel turn would look like a button release: it is not reported.
  EXPECT_FALSE(MouseFromRecord({1, 1}, 120u << 16, 0, 0x0008, mouse));
}

TEST(TakesKeyRecord, EveryPressAndOnlyTheAltReleaseThatBringsACharacter) {
  struct Case {
    uint16_t key;
    bool down;
    char32_t character;
    bool taken;
  };
  const Case cases[] = {
      {'A', true, U'a', true},
      {vk::kMenu, true, 0, true},  // presses, Alt's own too
      {'A', false, U'a', false},
      {vk::kReturn, false, U'\r', false},
      {vk::kMenu, false, U'\u00E9', true},  // typed with Alt and the keypad, or pasted
      {vk::kMenu, false, U'\u20AC', true},  // one with no byte is the key's business
      {vk::kMenu, false, 0, false},         // a plain Alt release
      {vk::kMenu, false, 0x03, false},      // control characters would be stray keys
      {vk::kMenu, false, 0x1B, false},
      {vk::kMenu, false, 0x0D, false},
      {vk::kMenu, false, 0x7F, false},
      {0x11, false, U'\u00E9', false},  // Ctrl's release
  };
  for (const Case& c : cases)
    EXPECT_EQ(TakesKeyRecord(c.key, c.down, c.character), c.taken)
        << c.key << (c.down ? " down " : " up ") << static_cast<uint32_t>(c.character);
}

// Each row is a run of key records, fed in order; the characters of the keys they give (0 for
// a key without one). A clef (U+1D11E) is the halves D834 DD1E, a smile (U+1F600) D83D DE00.
TEST(KeyRecordKeys, JoinsAHighHalfWithTheLowHalfOfTheNextRecordThatCarriesACharacter) {
  struct Record {
    uint16_t key;
    bool down;
    char16_t unit;
  };
  // Alt pressed and a keypad digit pressed and released, around a character typed with Alt.
  const Record alt_down{vk::kMenu, true, 0}, digit_down{0x61, true, 0}, digit_up{0x61, false, 0};
  struct Case {
    const char* what;
    std::vector<Record> records;
    std::u32string typed;
  };
  const Case cases[] = {
      {"pressed and released by halves, as a terminal sends them",
       {{0, true, 0xD834}, {0, false, 0xD834}, {0, true, 0xDD1E}, {0, false, 0xDD1E}},
       U"\U0001D11E"},
      {"each half on Alt's release, the keypad between",
       {{vk::kMenu, false, 0xD83D}, alt_down, digit_down, digit_up, {vk::kMenu, false, 0xDE00}},
       {0, 0, U'\U0001F600'}},
      {"a letter between drops the high half", {{0, true, 0xD834}, {'X', true, u'x'}, {0, true, 0xDD1E}}, U"x"},
      {"a second high half takes the first one's place",
       {{0, true, 0xD83D}, {0, true, 0xD834}, {0, true, 0xDD1E}, {'A', true, u'a'}},
       U"\U0001D11Ea"},
      {"a low half alone", {{0, true, 0xDE00}, {vk::kMenu, false, 0xDE00}, {'A', true, u'a'}}, U"a"},
      {"a high half last", {{'A', true, u'a'}, {0, true, 0xD83D}}, U"a"},
  };
  for (const Case& c : cases) {
    KeyRecordKeys keys;
    std::u32string typed;
    for (const Record& record : c.records) {
      KeyEvent key;
      if (keys.Next(record.key, record.down, record.unit, modifier::kShift, key)) typed.push_back(key.character);
    }
    EXPECT_EQ(typed, c.typed) << c.what;
  }
}

// Each row is a run of turns, fed in order; the notches each gives.
TEST(WheelNotches, AddsPiecesIntoWholeNotchesAndKeepsTheRest) {
  struct Case {
    std::vector<int> deltas;
    std::vector<int> notches;
  };
  const Case cases[] = {
      {{120}, {1}},
      {{-120}, {-1}},
      {{15, 15, 15, 15, 15, 15, 15, 15}, {0, 0, 0, 0, 0, 0, 0, 1}},
      {{-15, -15, -15, -15, -15, -15, -15, -15, -15}, {0, 0, 0, 0, 0, 0, 0, -1, 0}},
      {{100, 100, 100}, {0, 1, 1}},
      {{240, 360}, {2, 3}},
      {{0x80, -0x80}, {1, -1}},      // a pseudo console's notch
      {{100, -100, 50}, {0, 0, 0}},  // back and forth cancels out
      {{-100, 200}, {0, 0}},         // the rest turns with the wheel
      {{-100, 200, 20}, {0, 0, 1}},
      {{32767, -32768}, {273, -273}},  // the largest turns of a record
      {{1, 119, -1, 1}, {0, 1, 0, 0}},
  };
  for (const Case& c : cases) {
    WheelNotches wheel;
    std::vector<int> notches;
    for (int delta : c.deltas) notches.push_back(wheel.Add(delta));
    EXPECT_EQ(notches, c.notches) << ::testing::PrintToString(c.deltas);
  }
}

}  // namespace
}  // namespace zul
