#include "device/input_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/cp437.h"

namespace zul {
namespace {

TEST(TypedByte, ControlCharactersAreTheirOwnBytesOthersGoThroughTheGlyphs) {
  EXPECT_EQ(TypedByte(0x03), 0x03);  // Ctrl+C
  EXPECT_EQ(TypedByte(0x0D), 0x0D);
  EXPECT_EQ(TypedByte(0x1B), 0x1B);
  EXPECT_EQ(TypedByte(0x7F), 0x7F);
  EXPECT_EQ(TypedByte(0x00), 0x00);
  EXPECT_EQ(TypedByte(U'a'), 'a');
  EXPECT_EQ(TypedByte(U' '), ' ');
  EXPECT_EQ(TypedByte(U'\u00E9'), 0x82);  // e acute
  EXPECT_EQ(TypedByte(U'\u2591'), 0xB0);  // light shade
  EXPECT_EQ(TypedByte(U'\u263A'), 0x01);  // the glyph of 0x01, typed as a picture
  EXPECT_EQ(TypedByte(U'\u20AC'), 0);     // the euro sign has no byte
  EXPECT_EQ(TypedByte(0xD83D), 0);        // half of a surrogate pair
}

TEST(CellByte, ReadsEveryWrittenGlyphBackAndMarksStrangers) {
  for (int b = 1; b < 256; ++b) {
    const uint8_t byte = static_cast<uint8_t>(b);
    EXPECT_EQ(CellByte(Cp437Glyph(byte)), byte) << "byte " << b;
  }
  EXPECT_EQ(CellByte(0x0A), 0x0A);  // a raw control character that a child wrote
  EXPECT_EQ(CellByte(U'\u20AC'), '?');
}

TEST(KeyFromRecord, KeepsTheKeyTheByteAndOnlyTheModifierBits) {
  const KeyEvent ctrl_c = KeyFromRecord(0x43, 0x03, 0x0008 | 0x0020 | 0x0100);  // with num lock, enhanced
  EXPECT_EQ(ctrl_c.key, 0x43);
  EXPECT_EQ(ctrl_c.byte, 0x03);
  EXPECT_EQ(ctrl_c.modifiers, modifier::kLeftCtrl);

  const KeyEvent up = KeyFromRecord(vk::kUp, 0, modifier::kShift | 0x0080);  // with caps lock
  EXPECT_EQ(up.key, vk::kUp);
  EXPECT_EQ(up.byte, 0);
  EXPECT_EQ(up.modifiers, modifier::kShift);

  EXPECT_EQ(KeyFromRecord(vk::kEscape, 0, 0).byte, 0x1B);
  EXPECT_EQ(KeyFromRecord(vk::kEscape, 0x1B, 0).byte, 0x1B);
  EXPECT_EQ(KeyFromRecord(vk::kDelete, 0, 0).byte, 0);

  const KeyEvent umlaut = KeyFromRecord(0xBA, U'\u00FC', modifier::kRightAlt | modifier::kLeftCtrl);
  EXPECT_EQ(umlaut.byte, 0x81);
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

std::vector<KeyEvent> Keys(const std::string& bytes) {
  PlainByteKeys keys;
  std::vector<KeyEvent> out;
  for (char c : bytes) {
    KeyEvent key;
    if (keys.Next(static_cast<uint8_t>(c), key)) out.push_back(key);
  }
  return out;
}

TEST(PlainByteKeys, GivesOneEnterPerLineEndWhateverItsSpelling) {
  const std::vector<KeyEvent> keys = Keys("a\r\nb\nc\r\r\n\n");
  std::string typed;
  for (const KeyEvent& key : keys) typed += key.key == vk::kReturn ? '|' : static_cast<char>(key.byte);
  EXPECT_EQ(typed, "a|b|c|||");
  EXPECT_EQ(keys[1].byte, '\r');
  EXPECT_EQ(keys[3].byte, '\r');  // a line feed alone types a carriage return, as Enter does
}

TEST(PlainByteKeys, ControlBytesBecomeTheKeysThatTypeThem) {
  const std::vector<KeyEvent> keys = Keys(std::string("\x1b\x08\x7f\t\x03\x01 zQ7~\xe9", 12));
  ASSERT_EQ(keys.size(), 12u);
  EXPECT_EQ(keys[0].key, vk::kEscape);
  EXPECT_EQ(keys[0].byte, 0x1B);
  EXPECT_EQ(keys[1].key, vk::kBack);
  EXPECT_EQ(keys[2].key, vk::kBack);
  EXPECT_EQ(keys[2].byte, 0x08);
  EXPECT_EQ(keys[3].key, vk::kTab);
  EXPECT_EQ(keys[4].key, 'C');
  EXPECT_EQ(keys[4].byte, 0x03);
  EXPECT_EQ(keys[4].modifiers, modifier::kLeftCtrl);
  EXPECT_EQ(keys[5].key, 'A');
  EXPECT_EQ(keys[5].modifiers, modifier::kLeftCtrl);
  EXPECT_EQ(keys[6].key, vk::kSpace);
  EXPECT_EQ(keys[7].key, 'Z');
  EXPECT_EQ(keys[7].byte, 'z');
  EXPECT_EQ(keys[7].modifiers, 0u);
  EXPECT_EQ(keys[8].key, 'Q');
  EXPECT_EQ(keys[8].modifiers, modifier::kShift);
  EXPECT_EQ(keys[9].key, '7');
  EXPECT_EQ(keys[10].key, 0);
  EXPECT_EQ(keys[10].byte, '~');
  EXPECT_EQ(keys[11].byte, 0xE9);
}

}  // namespace
}  // namespace zul
