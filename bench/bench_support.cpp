#include "bench/bench_support.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace zul::bench {
namespace {

// The numeric parameters of a control sequence ("12;5" -> 12, 5); an empty one is 0.
std::vector<int> Parameters(std::string_view text) {
  std::vector<int> values;
  if (!text.empty() && (text[0] == '?' || text[0] == '>' || text[0] == '=')) text.remove_prefix(1);
  while (true) {
    const size_t end = std::min(text.find(';'), text.size());
    int value = 0;
    std::from_chars(text.data(), text.data() + end, value);
    values.push_back(std::clamp(value, 0, 100000));
    if (end == text.size()) return values;
    text.remove_prefix(end + 1);
  }
}

bool IsBlank(char c) { return c == ' '; }

// A whole number in [low, high], or nothing.
std::optional<int> Number(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string_view>& args, Options defaults) {
  Options options = std::move(defaults);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view option = args[i];
    if (option == "--skip-listing") {
      options.skip_listing = true;
      continue;
    }
    if (option == "--skip-completion") {
      options.skip_completion = true;
      continue;
    }
    if (i + 1 == args.size()) return std::nullopt;
    const std::string_view value = args[++i];
    std::optional<int> number;
    if (option == "--chooser" && !value.empty()) {
      options.chooser = value;
      continue;
    } else if (option == "--runs") {
      number = Number(value, 1, 100);
      options.runs = number.value_or(0);
    } else if (option == "--quiet-ms") {
      number = Number(value, 1, 1000);
      options.quiet_ms = number.value_or(0);
    } else if (option == "--timeout-ms") {
      number = Number(value, 100, 600000);
      options.timeout_ms = number.value_or(0);
    }
    if (!number) return std::nullopt;
  }
  return options;
}

Figures Medians(const std::vector<Sample>& runs) {
  const auto median = [&](double Sample::*figure) {
    std::vector<double> values;
    for (const Sample& run : runs) values.push_back(run.*figure);
    return Median(std::move(values));
  };
  return {median(&Sample::bytes_total),    median(&Sample::bytes_per_pair), median(&Sample::cpu_s),
          median(&Sample::first_frame_ms), median(&Sample::esc_exit_ms),    median(&Sample::peak_mib)};
}

std::optional<double> Ratio(std::optional<double> ours, std::optional<double> theirs) {
  if (!ours || !theirs || !(*theirs > 0)) return std::nullopt;
  return *ours / *theirs;
}

Verdicts JudgeTargets(const Figures& ours, const Figures& whiptail) {
  const auto at_most = [](std::optional<double> ratio, double limit) -> std::optional<bool> {
    if (!ratio) return std::nullopt;
    return *ratio <= limit;
  };
  Verdicts verdicts;
  verdicts.bytes_total = at_most(Ratio(ours.bytes_total, whiptail.bytes_total), 0.8);
  verdicts.bytes_per_pair = at_most(Ratio(ours.bytes_per_pair, whiptail.bytes_per_pair), 1.5);
  if (verdicts.bytes_per_pair && !(*ours.bytes_per_pair > 0)) verdicts.bytes_per_pair = false;
  verdicts.cpu = at_most(Ratio(ours.cpu_s, whiptail.cpu_s), 1.0);
  if (ours.esc_exit_ms) verdicts.esc_exit = *ours.esc_exit_ms < 50;
  return verdicts;
}

std::optional<double> Median(std::vector<double> samples) {
  if (samples.empty()) return std::nullopt;
  std::sort(samples.begin(), samples.end());
  const size_t middle = samples.size() / 2;
  if (samples.size() % 2 == 1) return samples[middle];
  return (samples[middle - 1] + samples[middle]) / 2;
}

TerminalModel::TerminalModel(int columns, int rows)
    : columns_(std::max(columns, 1)), rows_(std::max(rows, 1)), screen_(rows_, std::string(columns_, ' ')) {}

void TerminalModel::Expect(std::string_view marker) {
  marker_.clear();
  std::copy_if(marker.begin(), marker.end(), std::back_inserter(marker_), [](char c) { return !IsBlank(c); });
  tail_.clear();
  marker_in_stream_ = false;
}

bool TerminalModel::MarkerSeen() const {
  if (marker_in_stream_) return true;
  if (marker_.empty()) return false;
  // Blanks are ignored on the rows too, as the marker was stored without them.
  for (const std::string& line : screen_) {
    std::string squeezed;
    std::copy_if(line.begin(), line.end(), std::back_inserter(squeezed), [](char c) { return !IsBlank(c); });
    if (squeezed.find(marker_) != std::string::npos) return true;
  }
  return false;
}

void TerminalModel::Feed(std::string_view bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (state_) {
      case State::kGround:
        if (byte == 0x1b) {
          state_ = State::kEscape;
        } else if (byte < 0x20 || byte == 0x7f) {
          Control(c);
        } else if (byte < 0x80) {
          Print(c);
        } else if (byte >= 0xc0) {
          Print('?');  // the first byte of a UTF-8 character; the rest adds nothing
        }
        break;
      case State::kEscape:
        if (c == '[') {
          csi_.clear();
          state_ = State::kCsi;
        } else if (c == ']' || c == 'P' || c == '_' || c == '^' || c == 'X') {
          state_ = State::kString;
        } else if (byte >= 0x20 && byte <= 0x2f) {
          state_ = State::kEscapeIntermediate;  // e.g. ESC ( 0 picks a character set
        } else if (byte == 0x1b) {
          state_ = State::kEscape;
        } else {
          state_ = State::kGround;
          EscapeFinal(c);
        }
        break;
      case State::kEscapeIntermediate:
        if (byte < 0x20 || byte > 0x2f) state_ = State::kGround;
        break;
      case State::kCsi:
        if (byte >= 0x40 && byte <= 0x7e) {
          state_ = State::kGround;
          CsiFinal(c);
        } else if (byte >= 0x20 && byte < 0x40) {
          if (csi_.size() < 64) csi_ += c;
        } else if (byte == 0x1b) {
          state_ = State::kEscape;
        } else if (byte < 0x20) {
          Control(c);  // a control inside a sequence is carried out, as terminals do
        }
        break;
      case State::kString:  // ends with BEL or ESC '\'
        if (byte == 0x07) state_ = State::kGround;
        if (byte == 0x1b) state_ = State::kStringEscape;
        break;
      case State::kStringEscape:
        state_ = c == '\\' ? State::kGround : State::kString;
        break;
    }
  }
  if (!marker_.empty() && !marker_in_stream_) {
    marker_in_stream_ = tail_.find(marker_) != std::string::npos;
    if (tail_.size() >= marker_.size()) tail_.erase(0, tail_.size() - (marker_.size() - 1));
  }
}

void TerminalModel::Control(char c) {
  switch (c) {
    case '\r':
      column_ = 0;
      break;
    case '\n':
    case '\v':
    case '\f':
      LineFeed();
      break;
    case '\b':
      column_ = std::max(std::min(column_, columns_ - 1) - 1, 0);
      break;
    case '\t':
      column_ = std::min((column_ / 8 + 1) * 8, columns_ - 1);
      break;
    default:
      break;
  }
}

void TerminalModel::Print(char c) {
  if (column_ >= columns_) {
    column_ = 0;
    LineFeed();
  }
  screen_[row_][column_++] = c;
  last_printed_ = c;
  if (!marker_.empty() && !marker_in_stream_ && !IsBlank(c)) tail_ += c;
}

void TerminalModel::LineFeed() {
  if (row_ + 1 < rows_) {
    ++row_;
    return;
  }
  screen_.erase(screen_.begin());
  screen_.emplace_back(columns_, ' ');
}

void TerminalModel::Erase(int row, int from, int to) {
  from = std::clamp(from, 0, columns_);
  to = std::clamp(to, from, columns_);
  std::fill(screen_[row].begin() + from, screen_[row].begin() + to, ' ');
}

void TerminalModel::ClampCursor() {
  row_ = std::clamp(row_, 0, rows_ - 1);
  column_ = std::clamp(column_, 0, columns_ - 1);
}

void TerminalModel::EscapeFinal(char c) {
  switch (c) {
    case '7':
      saved_row_ = row_, saved_column_ = column_;
      break;
    case '8':
      row_ = saved_row_, column_ = saved_column_;
      break;
    case 'D':
      LineFeed();
      break;
    case 'E':
      column_ = 0, LineFeed();
      break;
    case 'M':
      if (row_ > 0) {
        --row_;
      } else {
        screen_.pop_back();
        screen_.insert(screen_.begin(), std::string(columns_, ' '));
      }
      break;
    case 'c':  // full reset
      for (int r = 0; r < rows_; ++r) Erase(r, 0, columns_);
      row_ = column_ = 0;
      application_cursor_keys_ = false;
      break;
    default:
      break;
  }
}

void TerminalModel::CsiFinal(char c) {
  const std::vector<int> p = Parameters(csi_);
  const int first = p[0];
  const int n = std::max(first, 1);  // a count or a 1-based position
  const int column = std::min(column_, columns_ - 1);
  switch (c) {
    case 'H':
    case 'f':
      row_ = n - 1, column_ = (p.size() > 1 ? std::max(p[1], 1) : 1) - 1;
      break;
    case 'A':
      row_ -= n;
      break;
    case 'B':
    case 'e':
      row_ += n;
      break;
    case 'C':
    case 'a':
      column_ = column + n;
      break;
    case 'D':
      column_ = column - n;
      break;
    case 'E':
      row_ += n, column_ = 0;
      break;
    case 'F':
      row_ -= n, column_ = 0;
      break;
    case 'G':
    case '`':
      column_ = n - 1;
      break;
    case 'd':
      row_ = n - 1;
      break;
    case 's':
      saved_row_ = row_, saved_column_ = column_;
      break;
    case 'u':
      row_ = saved_row_, column_ = saved_column_;
      break;
    case 'K':
      Erase(row_, first == 0 ? column : 0, first == 1 ? column + 1 : columns_);
      break;
    case 'J':
      if (first == 0 || first == 1) Erase(row_, first == 0 ? column : 0, first == 0 ? columns_ : column + 1);
      for (int r = 0; r < rows_; ++r) {
        if ((first == 0 && r > row_) || (first == 1 && r < row_) || first >= 2) Erase(r, 0, columns_);
      }
      break;
    case 'X':
      Erase(row_, column, column + n);
      break;
    case '@':
    case 'P': {
      std::string& line = screen_[row_];
      const int count = std::min(n, columns_ - column);
      if (c == '@') {
        line.insert(column, count, ' ');
      } else {
        line.erase(column, count);
      }
      line.resize(columns_, ' ');
      break;
    }
    case 'b':
      for (int i = 0; i < std::min(n, columns_ * rows_); ++i) Print(last_printed_);
      return;
    case 'h':
    case 'l':
      if (csi_.starts_with('?')) {
        for (const int mode : p) {
          if (mode == 1) application_cursor_keys_ = c == 'h';
          if (mode == 47 || mode == 1047 || mode == 1049) {
            for (int r = 0; r < rows_; ++r) Erase(r, 0, columns_);  // the other screen starts blank
          }
        }
      }
      return;
    default:
      return;
  }
  ClampCursor();
}

QuietStep NextQuietStep(double now_ms, double last_output_ms, double deadline_ms, double quiet_ms, bool ready) {
  const double silent_for = now_ms - last_output_ms;
  if (ready && silent_for >= quiet_ms) return {QuietStep::kQuiet};
  if (now_ms >= deadline_ms) return {QuietStep::kTimedOut};
  double wait = deadline_ms - now_ms;
  if (ready) wait = std::min(wait, quiet_ms - silent_for);
  return {QuietStep::kWait, std::max(1, static_cast<int>(std::ceil(wait)))};
}

}  // namespace zul::bench
