// The console-tools library's side of the input box's help with a path: what an
// answer names, the folders that complete a typed path, and the path a pasted or
// dropped text spells, all read from the file system (system/) in the forms
// path_reading.h reads. The dialogs get it as a FolderSource and never reach the
// file system themselves.
#pragma once

#include <functional>
#include <vector>

#include "base/code_page.h"
#include "base/text.h"
#include "consoletools/path_reading.h"
#include "dialogs/folder_look_ups.h"
#include "system/directory.h"

namespace zul {

// The path style of the platform the program runs on.
PathStyle PlatformPathStyle();

// The answer the box's caller gets for the text `typed`: the path it spells, its
// quoting or file address taken away (ReadPath), and on POSIX an unquoted `~`
// standing for a home folder; the text as typed where it is quoted but a folder
// of exactly that name, quotes and all, exists, and where nothing is to be read.
Text TakenAnswer(const Text& typed, PathStyle style);

// The completions of `typed` (the text before the caret) that Tab goes through:
// 1. the path it spells (TakenAnswer's reading, an unclosed quote running to its
//    end) splits at its last separator into the folder to look in (the working
//    directory when there is none; on Windows also a drive, `C:`) and the typed
//    start of a name;
// 2. the folders there (`list`) whose names start so, names and start read in
//    `code_page` and canonically composed (Composed), so that letters with marks
//    match however each is stored: on Windows letters of either case alike, in every
//    script (FoldedCase); on POSIX with their case, or, when none matches so, either
//    case alike; a folder whose name starts with a dot only when the start typed does;
// 3. each as the path up to the folder, its name as stored and a separator, sorted
//    by the characters of the names folded, then by their bytes.
std::vector<Text> FolderCompletions(const Text& typed, PathStyle style, const CodePage& code_page,
                                    const std::function<std::vector<FolderEntry>(const Text& folder)>& list);

// The file system as the input box's FolderSource sees it.
class FileSystemFolders : public FolderSource {
 public:
  explicit FileSystemFolders(const CodePage& code_page) : code_page_(code_page) {}
  // What TakenAnswer(answer) names once trimmed and cut as the directory change
  // cuts it: a name with * or ? is refused by the change.
  Finding Find(const Text& answer) override;
  std::vector<Text> Complete(const Text& typed) override;
  Text PastedPath(const Text& pasted) const override;

 private:
  const CodePage& code_page_;
};

}  // namespace zul
