#include "terminal/input_decoder.h"

#include <algorithm>
#include <array>
#include <limits>

#include "base/code_page.h"
#include "base/unicode.h"
#include "device/byte_keys.h"

namespace zul {

namespace {

constexpr uint8_t kEsc = typed::kEscape;
// The bytes that may stand between the introducer and the final byte of a
// sequence (parameters, private markers and intermediates), and the final bytes.
bool IsParameterByte(uint8_t byte) { return byte >= 0x20 && byte <= 0x3F; }
bool IsFinalByte(uint8_t byte) { return byte >= 0x40 && byte <= 0x7E; }

// The brackets a terminal puts around a paste.
constexpr std::string_view kPasteEnd = "\x1b[201~";
constexpr int kPasteStartCode = 200;

// Milliseconds from `from` to `to`, 0 when `to` is not later; never overflows.
uint64_t Elapsed(int64_t from, int64_t to) {
  return to > from ? static_cast<uint64_t>(to) - static_cast<uint64_t>(from) : 0;
}

// The numbers of a parameter string such as "1;5": empty fields count as 0,
// large numbers stop at kCap. `valid` is false when a field holds anything but
// digits.
struct Parameters {
  static constexpr int kCap = 1'000'000;
  std::array<int, 8> values{};
  std::size_t count = 0;
  bool valid = true;
  int At(std::size_t i) const { return i < count ? values[i] : 0; }
};

Parameters ParseParameters(std::string_view text) {
  Parameters parameters;
  if (text.empty()) return parameters;
  parameters.count = 1;
  for (char c : text) {
    if (c == ';') {
      if (parameters.count == parameters.values.size()) {
        parameters.valid = false;
        return parameters;
      }
      ++parameters.count;
    } else if (c >= '0' && c <= '9') {
      int& value = parameters.values[parameters.count - 1];
      value = std::min(value * 10 + (c - '0'), Parameters::kCap);
    } else {
      parameters.valid = false;
    }
  }
  return parameters;
}

// The modifiers of an xterm modifier parameter: one more than the sum of
// 1 Shift, 2 Alt, 4 Ctrl and 8 Meta (taken as Alt).
uint32_t ModifiersFromParameter(int parameter) {
  if (parameter < 2) return 0;
  const int bits = parameter - 1;
  uint32_t modifiers = 0;
  if (bits & 1) modifiers |= modifier::kShift;
  if (bits & (2 | 8)) modifiers |= modifier::kLeftAlt;
  if (bits & 4) modifiers |= modifier::kLeftCtrl;
  return modifiers;
}

// The key of a sequence that ends in a letter (CSI or SS3): arrows, Home, End, F1-F4.
uint16_t LetterKey(char final_byte) {
  switch (final_byte) {
    case 'A':
      return vk::kUp;
    case 'B':
      return vk::kDown;
    case 'C':
      return vk::kRight;
    case 'D':
      return vk::kLeft;
    case 'H':
      return vk::kHome;
    case 'F':
      return vk::kEnd;
    case 'P':
    case 'Q':
    case 'R':
    case 'S':
      return static_cast<uint16_t>(vk::kF1 + (final_byte - 'P'));
    default:
      return 0;
  }
}

// The key of a sequence CSI code ~; 0 for a code that names no key we report.
uint16_t TildeKey(int code) {
  switch (code) {
    case 1:
    case 7:
      return vk::kHome;
    case 2:
      return vk::kInsert;
    case 3:
      return vk::kDelete;
    case 4:
    case 8:
      return vk::kEnd;
    case 5:
      return vk::kPrior;
    case 6:
      return vk::kNext;
    default:
      break;
  }
  if (code >= 11 && code <= 15) return static_cast<uint16_t>(vk::kF1 + (code - 11));       // F1-F5
  if (code >= 17 && code <= 21) return static_cast<uint16_t>(vk::kF1 + 5 + (code - 17));   // F6-F10
  if (code == 23 || code == 24) return static_cast<uint16_t>(vk::kF1 + 10 + (code - 23));  // F11, F12
  return 0;
}

uint32_t ButtonBit(int button) {
  switch (button) {
    case 0:
      return mouse::kLeftButton;
    case 1:
      return mouse::kMiddleButton;
    case 2:
      return mouse::kRightButton;
    default:
      return 0;
  }
}

}  // namespace

void InputDecoder::Feed(std::string_view bytes, int64_t now_ms) {
  Tick(now_ms);  // what waited too long is settled before the new bytes are read
  if (bytes.empty()) return;
  last_byte_ms_ = now_ms;
  if (pending_.empty()) {
    Decode(bytes, now_ms);
    return;
  }
  std::string joined = pending_;
  joined.append(bytes);
  pending_.clear();
  Decode(joined, now_ms);
}

void InputDecoder::Tick(int64_t now_ms) {
  if (pending_.empty() && !skipping_ && !pasting_) return;
  if (MillisecondsUntilTimeout(now_ms) == 0) ResolvePending();
}

void InputDecoder::Finish() { ResolvePending(); }

bool InputDecoder::Next(InputEvent& event) {
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}

int InputDecoder::MillisecondsUntilTimeout(int64_t now_ms) const {
  if (pending_.empty() && !skipping_ && !pasting_) return -1;
  const uint64_t limit = pasting_ ? kPasteTimeoutMs : LoneEscapeWaits() ? kEscapeTimeoutMs : kSequenceTimeoutMs;
  const uint64_t waited = Elapsed(last_byte_ms_, now_ms);
  return waited >= limit ? 0 : static_cast<int>(limit - waited);
}

// Decodes `input` from its start: whole events are queued, the rest of an
// overlong sequence is skipped, and a sequence cut off at the end is kept in
// pending_ (it is shorter than kMaxSequence). Bytes dropped or skipped are counted.
void InputDecoder::Decode(std::string_view input, int64_t now_ms) {
  std::size_t at = 0;
  while (at < input.size()) {
    if (pasting_) {
      at += TakePasted(input.substr(at));
      continue;
    }
    if (skipping_) {
      const auto byte = static_cast<uint8_t>(input[at]);
      if (IsParameterByte(byte)) {
        ++at;
        ++dropped_bytes_;
        continue;
      }
      skipping_ = false;
      if (IsFinalByte(byte)) {  // any other byte is not part of the sequence: decode it
        ++at;
        ++dropped_bytes_;
      }
      continue;
    }
    const Step step = DecodeOne(input.substr(at), now_ms);
    if (step.result == Result::kPartial) {
      pending_.assign(input.substr(at));
      return;
    }
    if (step.result == Result::kDropped) dropped_bytes_ += step.length;
    at += step.length;
  }
}

// Decodes the event that starts `bytes` (not empty); a step that is not
// partial takes at least one byte.
InputDecoder::Step InputDecoder::DecodeOne(std::string_view bytes, int64_t now_ms) {
  const auto byte = static_cast<uint8_t>(bytes[0]);
  if (byte == kEsc) return DecodeEscape(bytes, now_ms);
  if (byte < 0x80) {
    QueueByteKey(byte, 0);
    return Complete(1);
  }
  return DecodeUtf8(bytes, 0);
}

// Esc and what follows it: a sequence after '[' or 'O', another Esc (this one
// is then the Escape key), or a key that Alt modifies.
InputDecoder::Step InputDecoder::DecodeEscape(std::string_view bytes, int64_t now_ms) {
  if (bytes.size() < 2) return Partial();
  const auto next = static_cast<uint8_t>(bytes[1]);
  if (next == '[' || next == 'O') return DecodeSequence(bytes, now_ms);
  if (next == kEsc) {
    QueueByteKey(kEsc, 0);
    return Complete(1);
  }
  if (next < 0x80) {
    QueueByteKey(next, modifier::kLeftAlt);
    return Complete(2);
  }
  const Step character = DecodeUtf8(bytes.substr(1), modifier::kLeftAlt);
  if (character.result == Result::kPartial) return character;
  return {character.result, character.length + 1};  // an invalid character takes the Esc with it
}

// One UTF-8 character, typed with key 0. Control characters (C1 ones included,
// which a terminal may take for commands) give no event. Invalid bytes are dropped
// up to the first one that cannot continue the character, which is then decoded
// afresh.
InputDecoder::Step InputDecoder::DecodeUtf8(std::string_view bytes, uint32_t modifiers) {
  const Utf8Read read = ReadUtf8(bytes);
  switch (read.kind) {
    case Utf8Read::Kind::kCutShort:
      return Partial();
    case Utf8Read::Kind::kInvalid:
      return Dropped(read.length);
    case Utf8Read::Kind::kWhole:
      break;
  }
  if (read.character > kLastC1Control) QueueKey(0, read.character, modifiers);
  return Complete(read.length);
}

// A sequence that starts "Esc [" (CSI) or "Esc O" (SS3). Steps:
// 1. the Linux console's F1-F5 (Esc [ [ A..E) and the X10 mouse (Esc [ M b x y),
//    whose last bytes are not of the usual kind;
// 2. parameter bytes up to the final byte; once kMaxSequence bytes have come
//    without one, the sequence is dropped and the rest is skipped;
// 3. a byte that may not stand in a sequence ends it: right after the
//    introducer, Esc and the introducer are Alt with that key; later, what came
//    is dropped. Either way that byte is decoded afresh;
// 4. a whole sequence becomes its event, or nothing when it names no key.
InputDecoder::Step InputDecoder::DecodeSequence(std::string_view bytes, int64_t now_ms) {
  const bool csi = bytes[1] == '[';
  if (bytes.size() < 3) return Partial();
  if (csi && bytes[2] == '[') {
    if (bytes.size() < 4) return Partial();
    const char key = bytes[3];
    if (!IsFinalByte(static_cast<uint8_t>(key))) return Dropped(3);
    if (key >= 'A' && key <= 'E') QueueKey(static_cast<uint16_t>(vk::kF1 + (key - 'A')), 0, 0);
    return Complete(4);
  }
  if (csi && bytes[2] == 'M') return DecodeX10Mouse(bytes, now_ms);

  std::size_t end = 2;
  while (end < bytes.size() && end < kMaxSequence && IsParameterByte(static_cast<uint8_t>(bytes[end]))) ++end;
  if (end == kMaxSequence) {
    skipping_ = true;
    return Dropped(end);
  }
  if (end == bytes.size()) return Partial();
  const auto final_byte = static_cast<uint8_t>(bytes[end]);
  if (!IsFinalByte(final_byte)) {
    if (end > 2) return Dropped(end);
    QueueByteKey(static_cast<uint8_t>(bytes[1]), modifier::kLeftAlt);
    return Complete(2);
  }
  const std::string_view parameters = bytes.substr(2, end - 2);
  if (csi)
    DecodeCsi(parameters, static_cast<char>(final_byte), now_ms);
  else
    DecodeSs3(parameters, static_cast<char>(final_byte));
  return Complete(end + 1);
}

// Esc [ M and three bytes, each 32 more than the button code, column and row.
InputDecoder::Step InputDecoder::DecodeX10Mouse(std::string_view bytes, int64_t now_ms) {
  constexpr std::size_t kLength = 6;
  if (bytes.size() < kLength) return Partial();
  const int code = static_cast<uint8_t>(bytes[3]) - 32;
  const int column = static_cast<uint8_t>(bytes[4]) - 32;
  const int row = static_cast<uint8_t>(bytes[5]) - 32;
  if (code < 0) return Dropped(kLength);
  QueueMouse(code, column, row, (code & 3) == 3, now_ms);
  return Complete(kLength);
}

// A CSI sequence: keys, Shift+Tab and the SGR mouse. Others (focus reports,
// paste brackets, answers to queries) are swallowed.
void InputDecoder::DecodeCsi(std::string_view parameters, char final_byte, int64_t now_ms) {
  if (!parameters.empty() && parameters[0] == '<') {
    const Parameters mouse = ParseParameters(parameters.substr(1));
    if ((final_byte == 'M' || final_byte == 'm') && mouse.valid && mouse.count == 3)
      QueueMouse(mouse.At(0), mouse.At(1), mouse.At(2), final_byte == 'm', now_ms);
    return;
  }
  const Parameters numbers = ParseParameters(parameters);
  if (!numbers.valid) return;
  const uint32_t modifiers = ModifiersFromParameter(numbers.At(1));
  if (final_byte == '~' && numbers.count == 1 && numbers.At(0) == kPasteStartCode) {
    pasting_ = true;
  } else if (final_byte == 'Z') {
    QueueKey(vk::kTab, typed::kTab, modifier::kShift | modifiers);
  } else if (final_byte == '~') {
    const uint16_t key = TildeKey(numbers.At(0));
    if (key != 0) QueueKey(key, 0, modifiers);
  } else if (const uint16_t key = LetterKey(final_byte); key != 0) {
    QueueKey(key, 0, modifiers);
  }
}

// An SS3 sequence: arrows, Home, End, F1-F4, and the keypad in application
// mode. The modifier parameter, if any, is the last number.
void InputDecoder::DecodeSs3(std::string_view parameters, char final_byte) {
  const Parameters numbers = ParseParameters(parameters);
  if (!numbers.valid) return;
  const uint32_t modifiers = numbers.count == 0 ? 0 : ModifiersFromParameter(numbers.At(numbers.count - 1));
  if (const uint16_t key = LetterKey(final_byte); key != 0) {
    QueueKey(key, 0, modifiers);
  } else if (final_byte == 'M') {
    QueueKey(vk::kReturn, typed::kEnter, modifiers);
  } else if (final_byte == 'X') {
    QueueByteKey('=', modifiers);
  } else if (final_byte >= 'j' && final_byte <= 'y') {
    QueueByteKey(static_cast<uint8_t>(final_byte - 0x40), modifiers);  // * + , - . / 0-9
  }
}

// A mouse report: button code `code` (SGR bits), 1-based `column` and `row`,
// and whether a button was let go. Keeps buttons_ as the buttons held after it
// and tells a second quick plain left press on the same cell after a plain one
// as a double click.
void InputDecoder::QueueMouse(int code, int column, int row, bool release, int64_t now_ms) {
  constexpr int kMaxCoordinate = std::numeric_limits<int16_t>::max();
  if (column < 1 || row < 1 || (code & 128) != 0) return;  // off the screen, or buttons 8-11
  InputEvent event;
  event.kind = InputEvent::Kind::kMouse;
  MouseEvent& report = event.mouse;
  report.position = Coord{static_cast<int16_t>(std::min(column, kMaxCoordinate) - 1),
                          static_cast<int16_t>(std::min(row, kMaxCoordinate) - 1)};
  if (code & 4) report.modifiers |= modifier::kShift;
  if (code & 8) report.modifiers |= modifier::kLeftAlt;
  if (code & 16) report.modifiers |= modifier::kLeftCtrl;
  const int button = code & 3;
  if (code & 64) {
    if (release || button >= 2) return;  // wheels turn only "down"; sideways ones are not reported
    report.flags = mouse::kWheeled;
    report.wheel = button == 0 ? 1 : -1;
  } else if (code & 32) {
    if (button == 3)
      buttons_ = 0;
    else
      buttons_ |= ButtonBit(button);
    report.flags = mouse::kMoved;
  } else if (release) {
    buttons_ &= button == 3 ? 0 : ~ButtonBit(button);
  } else {
    if (button == 3) return;
    buttons_ |= ButtonBit(button);
    if (button != 0 || (report.modifiers & (modifier::kShift | modifier::kCtrl)) != 0) {
      have_left_press_ = false;  // only two plain left presses make a double click
    } else if (have_left_press_ && report.position == left_press_at_ && now_ms >= left_press_ms_ &&
               Elapsed(left_press_ms_, now_ms) <= kDoubleClickMs) {
      report.flags = mouse::kDoubleClick;
      have_left_press_ = false;  // a third press starts over
    } else {
      have_left_press_ = true;
      left_press_ms_ = now_ms;
      left_press_at_ = report.position;
    }
  }
  report.buttons = buttons_;
  events_.push_back(event);
}

// What waits is settled as if no more bytes would come: a longer partial
// sequence or character is dropped; a paste keeps what came.
void InputDecoder::ResolvePending() {
  if (pasting_) {
    pasted_ += pending_;
    EndPaste();
  } else if (LoneEscapeWaits()) {
    QueueByteKey(kEsc, 0);
  } else if (pending_.size() == 2 && (pending_[1] == '[' || pending_[1] == 'O')) {
    QueueByteKey(static_cast<uint8_t>(pending_[1]), modifier::kLeftAlt);
  } else {
    dropped_bytes_ += pending_.size();
  }
  pending_.clear();
  skipping_ = false;
}

std::size_t InputDecoder::TakePasted(std::string_view input) {
  auto keep = [&](std::string_view bytes) {
    const std::size_t room = kMaxPaste - std::min(kMaxPaste, pasted_.size());
    pasted_.append(bytes.substr(0, room));
    dropped_bytes_ += bytes.size() - std::min(room, bytes.size());
  };
  if (const std::size_t end = input.find(kPasteEnd); end != std::string_view::npos) {
    keep(input.substr(0, end));
    EndPaste();
    return end + kPasteEnd.size();
  }
  std::size_t tail = std::min(input.size(), kPasteEnd.size() - 1);
  while (tail > 0 && !kPasteEnd.starts_with(input.substr(input.size() - tail))) --tail;
  keep(input.substr(0, input.size() - tail));
  pending_.assign(input.substr(input.size() - tail));
  return input.size();
}

void InputDecoder::EndPaste() {
  InputEvent event;
  event.kind = InputEvent::Kind::kPaste;
  // Bytes that spell nothing (C1 controls among them) and control characters are left out.
  ForEachCharacter(pasted_, Utf8CodePage(), [&](const TextPiece& piece) {
    if (piece.spelled && piece.character >= 0x20 && piece.character != typed::kDelete)
      event.pasted.push_back(piece.character);
  });
  pasting_ = false;
  pasted_.clear();
  if (!event.pasted.empty()) events_.push_back(std::move(event));
}

void InputDecoder::QueueKey(uint16_t key, char32_t character, uint32_t modifiers) {
  InputEvent event;
  event.kind = InputEvent::Kind::kKey;
  event.key = KeyEvent{key, character, modifiers};
  events_.push_back(event);
}

void InputDecoder::QueueByteKey(uint8_t byte, uint32_t extra_modifiers) {
  const KeyEvent key = ByteKey(byte);
  QueueKey(key.key, key.character, key.modifiers | extra_modifiers);
}

}  // namespace zul
