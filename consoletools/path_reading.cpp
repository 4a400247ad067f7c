#include "consoletools/path_reading.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

namespace zul {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kFileScheme = "file://";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view WithoutBlanksAround(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

bool SameNoCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool IsAsciiLetter(char c) { return AsciiLower(c) >= 'a' && AsciiLower(c) <= 'z'; }

// The value of one hexadecimal digit, or -1 for any other byte.
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char lower = AsciiLower(c);
  if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
  return -1;
}

// `text` with each %XX turned into its byte; a % without two hex digits after it, and
// %00 (no path holds a zero byte), stay as written.
Text DecodePercents(std::string_view text) {
  Text decoded;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '%' && text.size() - at >= 3) {
      const int high = HexValue(text[at + 1]);
      const int low = HexValue(text[at + 2]);
      if (high >= 0 && low >= 0 && high + low > 0) {
        decoded += static_cast<char>(high * 16 + low);
        at += 2;
        continue;
      }
    }
    decoded += text[at];
  }
  return decoded;
}

// The path of a file address `file://host/path`, or nothing when `text` is not one or
// names a host that `style` cannot reach.
std::optional<Text> ReadFileAddress(std::string_view text, PathStyle style) {
  if (text.size() < kFileScheme.size() || !SameNoCase(text.substr(0, kFileScheme.size()), kFileScheme)) {
    return std::nullopt;
  }
  const std::string_view rest = text.substr(kFileScheme.size());
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view host = rest.substr(0, slash);
  const bool local = host.empty() || SameNoCase(host, "localhost");
  Text path = DecodePercents(rest.substr(slash));
  if (style == PathStyle::kPosix) {
    if (!local) return std::nullopt;
    return path;
  }
  if (!local) {
    path.insert(0, "//" + Text(host));
  } else if (path.size() >= 3 && IsAsciiLetter(path[1]) && path[2] == ':') {
    path.erase(0, 1);
  }
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// A PowerShell single-quoted string at the start of `text`, `''` standing for `'`. It
// must close at the end of `text`, or may run to the end unclosed when `may_stay_open`.
std::optional<Text> ReadSingleQuoted(std::string_view text, bool may_stay_open) {
  Text read;
  for (std::size_t at = 1; at < text.size(); ++at) {
    if (text[at] != '\'') {
      read += text[at];
    } else if (at + 1 < text.size() && text[at + 1] == '\'') {
      read += '\'';
      ++at;
    } else {
      if (at + 1 != text.size()) return std::nullopt;
      return read;
    }
  }
  if (!may_stay_open) return std::nullopt;
  return read;
}

// A Windows path without its quoting, or nothing when `text` (blanks around it dropped)
// holds none.
std::optional<Text> UnquoteWindows(std::string_view text) {
  bool called = false;
  if (text.size() >= 2 && text[0] == '&' && IsBlank(text[1])) {
    const std::string_view operand = WithoutBlanksAround(text.substr(1));
    if (!operand.empty() && (operand[0] == '\'' || operand[0] == '"')) {
      text = operand;
      called = true;
    }
  }
  if (!text.empty() && text[0] == '\'') {
    std::optional<Text> read = ReadSingleQuoted(text, called);
    if (read || called) return read;
  }
  if (text.find('"') == std::string_view::npos) return std::nullopt;
  Text read(text);
  std::erase(read, '"');
  return read;
}

// Whether `c`, after a backslash within double quotes, is taken literally.
bool EscapesInDoubleQuotes(char c) { return c == '"' || c == '\\' || c == '$' || c == '`'; }

// The one shell word that `text` (blanks around it dropped) spells, or nothing when more
// follows it. 1. A '...' piece is taken as it is. 2. A "..." piece drops the backslash
// before " \ $ and backquote. 3. Outside quotes a backslash takes the next byte, an
// unquoted blank ends the word. A quote left open runs to the end.
std::optional<Text> ReadShellWord(std::string_view text) {
  Text word;
  std::size_t at = 0;
  while (at < text.size()) {
    const char c = text[at];
    if (c == '\'') {
      const std::size_t close = std::min(text.find('\'', at + 1), text.size());
      word.append(text.substr(at + 1, close - at - 1));
      at = close + 1;
    } else if (c == '"') {
      for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] == '\\' && at + 1 < text.size() && EscapesInDoubleQuotes(text[at + 1])) ++at;
        word += text[at];
      }
      ++at;
    } else if (IsBlank(c)) {
      return std::nullopt;
    } else {
      if (c == '\\' && at + 1 < text.size()) ++at;
      word += text[at];
      ++at;
    }
  }
  return word;
}

// A POSIX path without its quoting, or nothing when `text` (blanks around it dropped)
// does not start with a quote or is more than one word.
std::optional<Text> UnquotePosix(std::string_view text) {
  if (text.empty() || (text[0] != '\'' && text[0] != '"')) return std::nullopt;
  return ReadShellWord(text);
}

}  // namespace

PathReading ReadPath(std::string_view text, PathStyle style) {
  const std::string_view trimmed = WithoutBlanksAround(text);
  const std::optional<Text> unquoted =
      style == PathStyle::kWindows ? UnquoteWindows(trimmed) : UnquotePosix(trimmed);
  const std::string_view read = unquoted ? std::string_view(*unquoted) : trimmed;
  if (std::optional<Text> path = ReadFileAddress(read, style)) return {std::move(*path), true};
  if (unquoted) return {*unquoted, true};
  return {Text(text), false};
}

Text WithHomeFolder(std::string_view path, std::string_view home,
                    const std::function<Text(std::string_view user)>& home_of) {
  if (path.empty() || path[0] != '~') return Text(path);
  const std::size_t slash = std::min(path.find('/'), path.size());
  const std::string_view user = path.substr(1, slash - 1);
  const Text folder = user.empty() ? Text(home) : home_of ? home_of(user) : Text();
  if (folder.empty()) return Text(path);
  std::string_view rest = path.substr(slash);
  if (folder.back() == '/' && !rest.empty()) rest.remove_prefix(1);
  return folder + Text(rest);
}

}  // namespace zul
