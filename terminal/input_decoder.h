// Turns the bytes a terminal sends into console input events: keys with their
// Windows virtual-key codes, xterm SGR mouse reports, typed UTF-8 as characters.
// A pure class: it reads no device and keeps no clock; the caller gives the time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "device/input_events.h"

namespace zul {

// The events it gives, as the Windows console would report the same input:
// - a byte below 0x80 is the key that ByteKey gives it: letters and digits with
//   their key codes, CR and LF Enter, 0x01-0x1A Ctrl with a letter, the byte
//   kept (Ctrl+C types 0x03);
// - Esc before another byte is Alt with that byte's key; Esc Esc is the Escape key
//   and a fresh Esc; keys from sequences (arrows, F1-F12, ...) type no byte;
// - a UTF-8 character types itself with key 0; a control character spelled in
//   more than one byte (a C1 control, which a terminal may take for a command) none;
// - a mouse report has its 0-based terminal cell, the buttons held after it, and
//   for a wheel turn mouse::kWheeled with wheel +1 (up) or -1 (down);
// - a bracketed paste (Esc [ 200 ~ ... Esc [ 201 ~) is one kPaste event: every
//   byte between the brackets is text, of which line breaks, Esc, the other
//   control characters, DEL and bytes that spell no character are dropped. A
//   paste whose closing bracket does not come ends kPasteTimeoutMs after its last
//   byte, keeping what came.
class InputDecoder {
 public:
  // A lone Esc becomes the Escape key after this long with no further byte.
  static constexpr int kEscapeTimeoutMs = 20;
  // A longer sequence that stops halfway is dropped after this long.
  static constexpr int kSequenceTimeoutMs = 500;
  // A second left press on the same cell within this long is a double click.
  static constexpr int kDoubleClickMs = 500;
  // An escape sequence longer than this is dropped whole.
  static constexpr std::size_t kMaxSequence = 64;
  // A paste without its closing bracket ends after this long with no further byte.
  static constexpr int kPasteTimeoutMs = 500;
  // The bytes of one paste that are kept; the rest, up to its end, are dropped.
  static constexpr std::size_t kMaxPaste = 1 << 18;

  // Decodes `bytes`, which arrived at `now_ms`. Complete events queue up for
  // Next; the start of a sequence that has not fully arrived waits for more.
  void Feed(std::string_view bytes, int64_t now_ms);
  // Resolves what has waited too long: a lone Esc becomes the Escape key, Esc with
  // '[' or 'O' becomes Alt with that key, any other partial sequence is dropped, a
  // paste still open ends.
  void Tick(int64_t now_ms);
  // The input ended: resolves whatever waits as if its time had run out.
  void Finish();
  // Takes the next decoded event; false when none is queued.
  bool Next(InputEvent& event);
  // Milliseconds until Tick has something to resolve (0 when overdue), or -1 when
  // nothing waits.
  int MillisecondsUntilTimeout(int64_t now_ms) const;

  // Mouse buttons held, as the reports so far tell it.
  uint32_t ButtonsHeld() const { return buttons_; }
  // Bytes dropped so far: those that make no sense (Result::kDropped), and
  // partial sequences given up when their time ran out or the input ended.
  std::size_t DroppedBytes() const { return dropped_bytes_; }

 private:
  // What one decoding step made of the bytes at the start of its input:
  // - kComplete: a whole key, mouse report, character or sequence, queued as its
  //   event, or as none when it names nothing reported (a focus report, a
  //   C1 control character);
  // - kPartial: the start of one that has not fully arrived; it waits for more;
  // - kDropped: bytes that make no sense (invalid UTF-8, a sequence broken off
  //   by a byte that cannot stand in it, or grown past kMaxSequence).
  enum class Result { kComplete, kPartial, kDropped };
  struct Step {
    Result result;
    std::size_t length;  // the bytes it took; 0 when partial
  };
  static Step Complete(std::size_t length) { return {Result::kComplete, length}; }
  static Step Partial() { return {Result::kPartial, 0}; }
  static Step Dropped(std::size_t length) { return {Result::kDropped, length}; }

  void Decode(std::string_view input, int64_t now_ms);
  Step DecodeOne(std::string_view bytes, int64_t now_ms);
  Step DecodeEscape(std::string_view bytes, int64_t now_ms);
  Step DecodeUtf8(std::string_view bytes, uint32_t modifiers);
  Step DecodeSequence(std::string_view bytes, int64_t now_ms);
  Step DecodeX10Mouse(std::string_view bytes, int64_t now_ms);
  void DecodeCsi(std::string_view parameters, char final_byte, int64_t now_ms);
  void DecodeSs3(std::string_view parameters, char final_byte);
  void QueueMouse(int code, int column, int row, bool release, int64_t now_ms);
  void ResolvePending();
  // Inside a paste: takes its bytes from the start of `input` up to and with the
  // closing bracket, or all of them but a tail that may begin it, which waits in
  // pending_. Gives the bytes taken.
  std::size_t TakePasted(std::string_view input);
  // Ends the paste: its text as one event, when any is left.
  void EndPaste();
  void QueueKey(uint16_t key, char32_t character, uint32_t modifiers);
  void QueueByteKey(uint8_t byte, uint32_t extra_modifiers);
  bool LoneEscapeWaits() const { return pending_ == "\x1b"; }

  std::string pending_;  // the start of an event still arriving; shorter than kMaxSequence
  int64_t last_byte_ms_ = 0;
  bool skipping_ = false;  // inside an overlong sequence: drop until its final byte
  bool pasting_ = false;   // inside a bracketed paste
  std::string pasted_;     // its bytes so far
  std::size_t dropped_bytes_ = 0;
  std::deque<InputEvent> events_;
  uint32_t buttons_ = 0;
  bool have_left_press_ = false;
  int64_t left_press_ms_ = 0;
  Coord left_press_at_;
};

}  // namespace zul
