// Fuzzes the terminal input decoder: arbitrary bytes, cut into pieces at chosen
// points and fed at chosen times (the clock may stall, leap or even go back).
// Checks that every event is one the console could report, that cutting the
// input changes nothing while no time passes, and that nothing waits or piles up.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "terminal/input_decoder.h"

namespace zul {
namespace {

// The longest the decoder waits before it settles what has not fully come: a paste
// or a sequence.
constexpr int kLongestWaitMs = std::max(InputDecoder::kSequenceTimeoutMs, InputDecoder::kPasteTimeoutMs);

constexpr uint32_t kKnownModifiers = modifier::kShift | modifier::kLeftAlt | modifier::kLeftCtrl;
constexpr uint32_t kKnownButtons = mouse::kLeftButton | mouse::kRightButton | mouse::kMiddleButton;

// One piece of the input: how many bytes, how long after the previous piece it
// comes, and whether the clock is looked at (Tick) before it, and when.
struct Piece {
  std::size_t length = 0;
  int64_t step_ms = 0;
  bool tick = false;
  int64_t tick_step_ms = 0;
};

// Clock steps around the decoder's timeouts matter most; now and then a large
// leap or a step back.
int64_t ChooseStep(FuzzedDataProvider& provider) {
  switch (provider.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
      return 0;
    case 1:
      return provider.ConsumeIntegralInRange<int64_t>(InputDecoder::kEscapeTimeoutMs - 2,
                                                      InputDecoder::kEscapeTimeoutMs + 2);
    case 2:
      return provider.ConsumeIntegralInRange<int64_t>(InputDecoder::kSequenceTimeoutMs - 2,
                                                      InputDecoder::kSequenceTimeoutMs + 2);
    case 3:
      return provider.ConsumeIntegralInRange<int64_t>(InputDecoder::kDoubleClickMs - 2,
                                                      InputDecoder::kDoubleClickMs + 2);
    case 4:
      return provider.ConsumeIntegralInRange<int64_t>(-1000, -1);
    case 5:
      return provider.ConsumeIntegral<int32_t>();
    default:
      return provider.ConsumeIntegralInRange<int64_t>(0, 40);
  }
}

bool IsKnownKey(uint16_t key) {
  if (key == 0) return true;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return true;
  if (key >= vk::kF1 && key < vk::kF1 + 12) return true;
  switch (key) {
    case vk::kBack:
    case vk::kTab:
    case vk::kReturn:
    case vk::kEscape:
    case vk::kSpace:
    case vk::kPrior:
    case vk::kNext:
    case vk::kEnd:
    case vk::kHome:
    case vk::kLeft:
    case vk::kUp:
    case vk::kRight:
    case vk::kDown:
    case vk::kInsert:
    case vk::kDelete:
    case vk::kOemMinus:
    case vk::kOemBackslash:
    case vk::kOemCloseBracket:
      return true;
    default:
      return false;
  }
}

// Keys from sequences type no byte; Enter, Tab, Backspace and Esc type their own.
bool TypesNoByte(uint16_t key) {
  return (key >= vk::kPrior && key <= vk::kDown) || key == vk::kInsert || key == vk::kDelete ||
         (key >= vk::kF1 && key < vk::kF1 + 12);
}

void CheckEvent(const InputEvent& event) {
  FUZZ_CHECK(event.kind == InputEvent::Kind::kKey || event.kind == InputEvent::Kind::kMouse ||
             event.kind == InputEvent::Kind::kPaste);
  if (event.kind == InputEvent::Kind::kPaste) {
    // Text alone: no control character, no DEL, no C1 control, nothing beyond Unicode.
    FUZZ_CHECK(!event.pasted.empty());
    FUZZ_CHECK(event.pasted.size() <= InputDecoder::kMaxPaste);
    for (const char32_t c : event.pasted) {
      FUZZ_CHECK(c >= 0x20 && !(c >= 0x7F && c < 0xA0) && c <= 0x10FFFF);
      FUZZ_CHECK(!(c >= 0xD800 && c < 0xE000));
    }
    return;
  }
  if (event.kind == InputEvent::Kind::kKey) {
    const KeyEvent& key = event.key;
    FUZZ_CHECK(IsKnownKey(key.key));
    FUZZ_CHECK((key.modifiers & ~kKnownModifiers) == 0);
    if (TypesNoByte(key.key)) FUZZ_CHECK(key.character == 0);
    if (key.key == vk::kReturn) FUZZ_CHECK(key.character == 0x0D);
    if (key.key == vk::kEscape) FUZZ_CHECK(key.character == 0x1B);
    if (key.key == vk::kBack) FUZZ_CHECK(key.character == 0x08);
    return;
  }
  const MouseEvent& mouse = event.mouse;
  FUZZ_CHECK(mouse.position.x >= 0 && mouse.position.y >= 0);
  FUZZ_CHECK((mouse.buttons & ~kKnownButtons) == 0);
  FUZZ_CHECK((mouse.modifiers & ~kKnownModifiers) == 0);
  FUZZ_CHECK(mouse.flags == 0 || mouse.flags == mouse::kMoved || mouse.flags == mouse::kDoubleClick ||
             mouse.flags == mouse::kWheeled);
  FUZZ_CHECK((mouse.wheel != 0) == (mouse.flags == mouse::kWheeled));
  FUZZ_CHECK(mouse.wheel >= -1 && mouse.wheel <= 1);
  if (mouse.flags == mouse::kDoubleClick) FUZZ_CHECK((mouse.buttons & mouse::kLeftButton) != 0);
}

// The events as comparable values.
using Key = std::vector<int64_t>;
Key Flatten(const InputEvent& event) {
  Key flat{static_cast<int64_t>(event.kind),
           event.key.key,
           event.key.character,
           event.key.modifiers,
           event.mouse.position.x,
           event.mouse.position.y,
           event.mouse.buttons,
           event.mouse.modifiers,
           event.mouse.flags,
           event.mouse.wheel};
  flat.insert(flat.end(), event.pasted.begin(), event.pasted.end());
  return flat;
}

// Takes every queued event; the queue must then stay empty.
void Drain(InputDecoder& decoder, std::vector<Key>* taken, std::size_t& count, int64_t& last_buttons) {
  InputEvent event;
  while (decoder.Next(event)) {
    CheckEvent(event);
    if (event.kind == InputEvent::Kind::kMouse) last_buttons = event.mouse.buttons;
    if (taken != nullptr) taken->push_back(Flatten(event));
    ++count;
  }
  FUZZ_CHECK(!decoder.Next(event));
}

// What a stream decodes to: its events and the count of bytes dropped.
struct Decoded {
  std::vector<Key> events;
  std::size_t dropped = 0;
  bool operator==(const Decoded&) const = default;
};

// Feeds `stream` in `pieces` at one unchanging time, then ends the input.
Decoded DecodeAtOneTime(std::string_view stream, const std::vector<Piece>& pieces) {
  InputDecoder decoder;
  std::vector<Key> events;
  std::size_t count = 0;
  int64_t last_buttons = -1;
  std::size_t at = 0;
  for (const Piece& piece : pieces) {
    decoder.Feed(stream.substr(at, piece.length), 0);
    at += piece.length;
    // No time passes, so nothing is due: what waits keeps waiting.
    FUZZ_CHECK(decoder.MillisecondsUntilTimeout(0) != 0);
  }
  decoder.Feed(stream.substr(at), 0);
  decoder.Finish();
  Drain(decoder, &events, count, last_buttons);
  FUZZ_CHECK(decoder.MillisecondsUntilTimeout(0) == -1);
  FUZZ_CHECK(decoder.DroppedBytes() <= stream.size());
  return {events, decoder.DroppedBytes()};
}

// Feeds `stream` in `pieces` at their times, checking after every call that
// nothing overdue still waits, that the queue drains, that no more events come
// than bytes and calls could make, and that the buttons held agree with the
// last mouse event.
void DecodeOverTime(std::string_view stream, const std::vector<Piece>& pieces) {
  InputDecoder decoder;
  int64_t now = 1'000'000;
  std::size_t events = 0;
  std::size_t budget = 0;  // bytes fed plus calls that may settle what waits
  int64_t last_buttons = -1;
  const auto after_call = [&](int64_t at) {
    Drain(decoder, nullptr, events, last_buttons);
    FUZZ_CHECK(events <= budget);
    const int wait = decoder.MillisecondsUntilTimeout(at);
    FUZZ_CHECK(wait != 0);
    FUZZ_CHECK(wait >= -1 && wait <= kLongestWaitMs);
    FUZZ_CHECK(decoder.ButtonsHeld() == (last_buttons < 0 ? 0u : static_cast<uint32_t>(last_buttons)));
  };
  std::size_t at = 0;
  for (const Piece& piece : pieces) {
    if (piece.tick) {
      decoder.Tick(now + piece.tick_step_ms);
      ++budget;
      after_call(now + piece.tick_step_ms);
    }
    now += piece.step_ms;
    const std::string_view bytes = stream.substr(at, piece.length);
    at += piece.length;
    decoder.Feed(bytes, now);
    budget += bytes.size() + 1;
    after_call(now);
  }
  decoder.Finish();
  ++budget;
  Drain(decoder, nullptr, events, last_buttons);
  FUZZ_CHECK(events <= budget);
  FUZZ_CHECK(decoder.MillisecondsUntilTimeout(now) == -1);
  // Once everything is settled, neither the clock nor the end of input makes more.
  decoder.Tick(now + kLongestWaitMs);
  decoder.Finish();
  InputEvent event;
  FUZZ_CHECK(!decoder.Next(event));
}

}  // namespace
}  // namespace zul

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zul;
  FuzzedDataProvider provider(data, size);
  // The plan comes from the end of the data (where integers are read), the
  // stream is what remains: mutating one leaves the other alone.
  const int piece_count = provider.ConsumeIntegralInRange<int>(0, 48);
  std::vector<Piece> plan;
  for (int i = 0; i < piece_count && provider.remaining_bytes() > 0; ++i) {
    Piece piece;
    piece.length = provider.ConsumeIntegralInRange<std::size_t>(0, 24);
    piece.step_ms = ChooseStep(provider);
    piece.tick = provider.ConsumeBool();
    if (piece.tick) piece.tick_step_ms = ChooseStep(provider);
    plan.push_back(piece);
  }
  const std::string stream = provider.ConsumeRemainingBytesAsString();
  std::vector<Piece> pieces;  // the plan held to the stream
  std::size_t left = stream.size();
  for (Piece piece : plan) {
    piece.length = std::min(piece.length, left);
    left -= piece.length;
    pieces.push_back(piece);
  }
  pieces.push_back(Piece{left, 0, false, 0});  // the rest in one piece

  // Cutting the stream anywhere changes nothing while the time stands still.
  const Decoded whole = DecodeAtOneTime(stream, {});
  FUZZ_CHECK(whole.events.size() <= stream.size() + 1);
  FUZZ_CHECK(DecodeAtOneTime(stream, pieces) == whole);

  DecodeOverTime(stream, pieces);
  return 0;
}
