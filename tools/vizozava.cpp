// A stand-in for the course-file converter `vizozava`, which is not part of this project. It
// converts nothing: it copies the course file to NAME.DAT, writes a short report to NAME.TXT and
// an empty NAME.ANS beside it, so that a run can be seen and checked. Portable standard C++.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

bool IsReadableFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// The course file the arguments name: all of them joined by single blanks, since a path with
// blanks arrives as several words; when that names no file but the first argument alone does,
// the first argument.
fs::path CourseFile(int argc, char** argv) {
  std::string joined = argv[1];
  for (int i = 2; i < argc; ++i) joined += std::string(" ") + argv[i];
  if (!IsReadableFile(joined) && IsReadableFile(argv[1])) return fs::path(argv[1]);
  return fs::path(joined);
}

// The lines of a text: its line ends, and one more when the last line has none.
std::size_t CountLines(const std::string& bytes) {
  std::size_t lines = 0;
  for (char c : bytes) lines += c == '\n' ? 1 : 0;
  if (!bytes.empty() && bytes.back() != '\n') ++lines;
  return lines;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

}  // namespace

// Exit code 0 after writing the three files; 1, with a message on stderr, when no file is
// named, the file cannot be read, or an output cannot be written.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "vizozava: no course file named\n"
              << "usage: vizozava COURSEFILE.ZUL\n";
    return 1;
  }
  const fs::path source = CourseFile(argc, argv);

  std::string bytes;
  {
    std::ifstream in(source, std::ios::binary);
    if (!IsReadableFile(source) || !in) {
      std::cerr << "vizozava: cannot read the course file " << source.string() << "\n";
      return 1;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
      std::cerr << "vizozava: cannot read the course file " << source.string() << "\n";
      return 1;
    }
  }

  // The three outputs go beside it, named after it without its extension.
  const std::string name = source.stem().string();
  const fs::path folder = source.parent_path();
  const std::string report =
      "vizozava stand-in report\n"
      "source: " +
      source.string() +
      "\n"
      "size: " +
      std::to_string(bytes.size()) +
      " bytes\n"
      "lines: " +
      std::to_string(CountLines(bytes)) + "\n";
  const std::string outputs[3][2] = {{".DAT", bytes}, {".TXT", report}, {".ANS", ""}};
  for (const auto& output : outputs) {
    const fs::path target = folder / (name + output[0]);
    if (!WriteFile(target, output[1])) {
      std::cerr << "vizozava: cannot write " << target.string() << "\n";
      return 1;
    }
  }

  std::cout << "vizozava: " << source.string() << " -> " << name << ".DAT, " << name << ".TXT, " << name
            << ".ANS\n";
  return 0;
}
