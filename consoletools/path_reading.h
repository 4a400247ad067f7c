// Reading a path that was dropped on the window or pasted into it as the one path it
// spells, whatever quoting the terminal or file manager wrapped it in. Pure text work for
// either platform's rules; whether the path names a folder is the caller's question.
#pragma once

#include <functional>
#include <string_view>

#include "base/text.h"

namespace zul {

// Whose rules a path follows: Windows (no `"` in a name, `\` between names) or POSIX
// (any byte but `/` and zero in a name).
enum class PathStyle { kWindows, kPosix };

struct PathReading {
  Text path;            // the path the text spells
  bool quoted = false;  // whether quoting, a file address or PowerShell's call operator was taken away
};

// The path that a dropped or pasted `text` spells. Blanks (spaces and tabs) around a
// quoted form or an address are dropped; a text that is none of these forms comes back
// exactly as given, with `quoted` false:
//   Windows  every `"` is removed, as cmd reads `C:\"My Courses"\x`: no name holds one.
//            A text both starting and ending with `'`, or PowerShell's call operator
//            `& '...'` (whose quote may still be open, as while typing), is a
//            single-quoted string in which `''` stands for `'`.
//   POSIX    a text starting with `'` or `"` is read as one shell word: `'...'` as it
//            is, `"..."` with `\` escaping only `"`, `\`, `$` and backquote, `\x` outside
//            quotes as x, the pieces joined, an open quote running to the end. More than
//            one word (two items dropped) is no path: the text comes back as given.
//            Any other text is left alone, as a name may hold `\` or a quote.
//   Both     a file address `file://host/path`, bare or in quotes, with its %XX escapes
//            decoded to bytes (a malformed one, or %00, stays as written). POSIX reads
//            it without a host or with localhost, and gives back any other as given;
//            Windows turns `/` into `\`, drops the `/` before a drive (`C:\x`) and
//            reads another host as a share (`\\server\share\x`). An address without
//            a path is no address.
PathReading ReadPath(std::string_view text, PathStyle style);

// `path` with a leading `~` or `~user` expanded as a POSIX shell does: "~" or "~/..."
// becomes `home` and the rest, "~user" or "~user/..." becomes home_of(user) and the rest
// (without a doubled `/` after a home ending in one). A path that does not start so, or
// whose home is unknown (empty), comes back unchanged. A shell leaves a quoted `~` alone,
// so this is for what was typed bare (ReadPath's `quoted` false).
Text WithHomeFolder(std::string_view path, std::string_view home,
                    const std::function<Text(std::string_view user)>& home_of);

}  // namespace zul
