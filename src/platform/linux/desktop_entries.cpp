#include "platform/linux/desktop_entries.h"

#include <algorithm>
#include <system_error>
#include <unordered_set>

#include "platform/linux/deb822.h"

namespace halvane {

namespace {

// Searched in this order; the first one holding a desktop file ID wins.
constexpr std::string_view kApplicationDirs[] = {"/usr/local/share/applications",
                                                 "/usr/share/applications"};
// Where a bare program name in Exec or TryExec is looked for.
constexpr std::string_view kProgramDirs[] = {"/usr/bin", "/bin", "/usr/sbin", "/sbin",
                                             "/usr/local/bin"};

constexpr int kTryExecPenalty = 2;
constexpr int kNoDisplayPenalty = 1;

std::string DecodeStringEscapes(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    switch (next) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        out += next;
        break;
    }
  }
  return out;
}

void TakeKey(DesktopEntry& entry, std::string_view key, std::string_view value) {
  if (key == "Name") {
    entry.name = DecodeStringEscapes(value);
  }
  if (key == "Exec") {
    entry.exec = DecodeStringEscapes(value);
  }
  if (key == "TryExec") {
    entry.try_exec = DecodeStringEscapes(value);
  }
  if (key == "Type") {
    entry.type = value;
  }
  if (key == "Hidden") {
    entry.hidden = value == "true";
  }
  if (key == "NoDisplay") {
    entry.no_display = value == "true";
  }
}

// Splits off the first word of an Exec line, honouring double quotes and backslashes in them.
std::string NextExecWord(std::string_view& exec) {
  while (!exec.empty() && (exec.front() == ' ' || exec.front() == '\t')) {
    exec.remove_prefix(1);
  }
  std::string word;
  bool quoted = false;
  while (!exec.empty()) {
    const char c = exec.front();
    exec.remove_prefix(1);
    if (c == '"') {
      quoted = !quoted;
    } else if (quoted && c == '\\' && !exec.empty()) {
      word += exec.front();
      exec.remove_prefix(1);
    } else if (!quoted && (c == ' ' || c == '\t')) {
      break;
    } else {
      word += c;
    }
  }
  return word;
}

bool IsEnvCommand(std::string_view word) {
  return word == "env" || word.ends_with("/env");
}

// "kde/okular.desktop" under an applications directory has the ID "kde-okular.desktop".
std::string DesktopFileId(const std::filesystem::path& relative) {
  std::string id = relative.generic_string();
  std::replace(id.begin(), id.end(), '/', '-');
  return id;
}

// The desktop files below one applications directory, by ID, in a fixed order; the
// directory and its subdirectories are added to `sources`.
std::vector<std::pair<std::string, std::filesystem::path>> DesktopFilesIn(
    const std::filesystem::path& dir,
    std::vector<std::pair<std::filesystem::path, FileStamp>>& sources) {
  std::vector<std::pair<std::string, std::filesystem::path>> files;
  sources.emplace_back(dir, StampOf(dir));
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(dir, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code kind_error;
    if (it->is_directory(kind_error)) {
      sources.emplace_back(it->path(), StampOf(it->path()));
    } else if (it->path().extension() == ".desktop") {
      files.emplace_back(DesktopFileId(it->path().lexically_relative(dir)), it->path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The system path of the program that an Exec or TryExec word names, or empty when it is not
// installed under the root.
std::string FindProgram(const std::filesystem::path& root, const std::string& program) {
  if (program.empty()) {
    return {};
  }
  if (program.find('/') != std::string::npos) {
    return program.front() == '/' ? program : std::string();
  }
  for (const std::string_view dir : kProgramDirs) {
    std::string candidate = std::string(dir) + "/" + program;
    if (PathExists(UnderRoot(root, candidate))) {
      return candidate;
    }
  }
  return {};
}

}  // namespace

DesktopEntry ParseDesktopEntry(std::string_view bytes) {
  DesktopEntry entry;
  bool in_main_group = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) {
      end = bytes.size();
    }
    const std::string_view line = TrimBlanks(bytes.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == '#') {
      continue;
    }
    if (line.front() == '[') {
      in_main_group = line == "[Desktop Entry]";
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!in_main_group || equals == std::string_view::npos) {
      continue;
    }
    TakeKey(entry, TrimBlanks(line.substr(0, equals)), TrimBlanks(line.substr(equals + 1)));
  }
  return entry;
}

std::string ExecProgram(std::string_view exec) {
  std::string word = NextExecWord(exec);
  if (!IsEnvCommand(word)) {
    return word;
  }
  do {
    word = NextExecWord(exec);
  } while (!word.empty() && (word.find('=') != std::string::npos || word.front() == '-'));
  return word;
}

DesktopEntryIndex DesktopEntryIndex::Build(const std::filesystem::path& root) {
  DesktopEntryIndex index;
  index.merged_ = MergedUsr::Detect(root);
  std::unordered_set<std::string> seen_ids;
  for (const std::string_view dir : kApplicationDirs) {
    for (const auto& [id, file] : DesktopFilesIn(UnderRoot(root, dir), index.sources_)) {
      if (!seen_ids.insert(id).second) {
        continue;
      }
      const DesktopEntry entry = ParseDesktopEntry(ReadFileBytes(file, 1u << 20));
      if (entry.hidden || entry.name.empty()) {
        continue;
      }
      if (!entry.type.empty() && entry.type != "Application") {
        continue;
      }
      index.AddEntry(root, entry);
    }
  }
  return index;
}

void DesktopEntryIndex::AddEntry(const std::filesystem::path& root, const DesktopEntry& entry) {
  const int shown_rank = entry.no_display ? kNoDisplayPenalty : 0;
  AddLauncher(root, FindProgram(root, ExecProgram(entry.exec)), shown_rank, entry.name);
  AddLauncher(root, FindProgram(root, ExecProgram(entry.try_exec)), shown_rank + kTryExecPenalty,
              entry.name);
}

void DesktopEntryIndex::AddLauncher(const std::filesystem::path& root, const std::string& program,
                                    int rank, const std::string& name) {
  if (program.empty()) {
    return;
  }
  // Both the name the entry uses and the file it leads to ("vim" through the alternatives
  // links to vim.basic) identify the program.
  for (const std::string& spelling : {program, ResolveInRoot(root, program)}) {
    if (spelling.empty()) {
      continue;
    }
    auto [it, inserted] = launchers_.try_emplace(merged_.Canonical(spelling), Launcher{rank, name});
    if (!inserted && rank < it->second.rank) {
      it->second = Launcher{rank, name};
    }
  }
}

std::string DesktopEntryIndex::NameFor(std::string_view program_path) const {
  if (program_path.empty()) {
    return {};
  }
  const auto found = launchers_.find(merged_.Canonical(program_path));
  return found == launchers_.end() ? std::string() : found->second.name;
}

}  // namespace halvane
