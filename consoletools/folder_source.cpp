#include "consoletools/folder_source.h"

#include <algorithm>
#include <string_view>

#include "base/canonical.h"
#include "base/case_fold.h"
#include "system/directory_change.h"
#include "system/system.h"

namespace zul {

namespace {

bool IsSeparator(char byte, PathStyle style) {
  return byte == '/' || (style == PathStyle::kWindows && byte == '\\');
}

// `path` with a POSIX home folder in place of an unquoted leading `~`.
Text WithHome(const Text& path) {
  return WithHomeFolder(path, HomeFolder(), [](std::string_view user) { return HomeFolderOf(Text(user)); });
}

// The path `typed` spells, as Tab completes it: TakenAnswer's reading, without the
// look at whether the quoted text names a folder itself.
Text CompletedPath(const Text& typed, PathStyle style) {
  const PathReading reading = ReadPath(typed, style);
  if (reading.quoted || style != PathStyle::kPosix) return reading.path;
  return WithHome(reading.path);
}

}  // namespace

PathStyle PlatformPathStyle() { return kPathSeparator == '\\' ? PathStyle::kWindows : PathStyle::kPosix; }

Text TakenAnswer(const Text& typed, PathStyle style) {
  const PathReading reading = ReadPath(typed, style);
  if (reading.quoted) return KindOfPath(Trim(typed)) == PathKind::kFolder ? typed : reading.path;
  if (style != PathStyle::kPosix) return typed;
  const Text trimmed = Trim(reading.path);
  const Text home = WithHome(trimmed);
  return home == trimmed ? typed : home;
}

std::vector<Text> FolderCompletions(const Text& typed, PathStyle style, const CodePage& code_page,
                                    const std::function<std::vector<FolderEntry>(const Text& folder)>& list) {
  const Text path = CompletedPath(typed, style);
  std::size_t start = path.size();
  while (start > 0 && !IsSeparator(path[start - 1], style)) --start;
  if (start == 0 && style == PathStyle::kWindows && path.size() >= 2 && path[1] == ':') start = 2;
  const Text place = path.substr(0, start);
  const Text begun = path.substr(start);
  // Names and the typed start are compared as characters, composed (so that a name
  // stored decomposed, as some file systems keep them, matches a start typed composed),
  // and for either case then folded.
  const std::u32string begun_composed = Composed(CharactersWithStandIns(begun, code_page));
  const std::u32string begun_folded = FoldedCase(begun_composed);

  struct Found {
    std::u32string folded;
    Text name;
  };
  std::vector<Found> with_case, either_case;
  for (FolderEntry& folder : list(place)) {
    if (style == PathStyle::kPosix && folder.hidden && !begun.starts_with('.')) continue;
    const std::u32string composed = Composed(CharactersWithStandIns(folder.name, code_page));
    std::u32string folded = FoldedCase(composed);
    if (!folded.starts_with(begun_folded)) continue;
    const bool cased = style == PathStyle::kPosix && composed.starts_with(begun_composed);
    (cased ? with_case : either_case).push_back(Found{std::move(folded), std::move(folder.name)});
  }
  std::vector<Found>& found = style == PathStyle::kPosix && !with_case.empty() ? with_case : either_case;
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    return a.folded != b.folded ? a.folded < b.folded : CompareTexts(a.name, b.name) < 0;
  });
  const char separator = style == PathStyle::kWindows ? '\\' : '/';
  std::vector<Text> completions;
  completions.reserve(found.size());
  for (const Found& folder : found) completions.push_back(place + folder.name + separator);
  return completions;
}

FolderSource::Finding FileSystemFolders::Find(const Text& answer) {
  const Text taken = Trim(TakenAnswer(answer, PlatformPathStyle()));
  const std::optional<Text> used = PathToChangeTo(taken);
  if (!used)
    return taken.substr(0, kMaxDirectoryPath).find_first_of("*?") != Text::npos ? Finding::kWildcard
                                                                                : Finding::kNothing;
  switch (KindOfPath(*used)) {
    case PathKind::kFolder:
      return Finding::kFolder;
    case PathKind::kOther:
      return Finding::kFile;
    case PathKind::kNothing:
      break;
  }
  return Finding::kNothing;
}

std::vector<Text> FileSystemFolders::Complete(const Text& typed) {
  return FolderCompletions(typed, PlatformPathStyle(), code_page_, ListFolders);
}

Text FileSystemFolders::PastedPath(const Text& pasted) const { return ReadPath(pasted, PlatformPathStyle()).path; }

}  // namespace zul
