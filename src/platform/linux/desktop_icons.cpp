#include "platform/linux/desktop_icons.h"

#include <algorithm>
#include <system_error>
#include <unordered_set>

#include "platform/linux/deb822.h"
#include "platform/linux/desktop_entries.h"
#include "platform/linux/root_files.h"

namespace halvane {

namespace {

constexpr std::string_view kSystemApplicationDirs[] = {"/usr/local/share/applications",
                                                       "/usr/share/applications"};
constexpr std::string_view kProgramDirs[] = {"/usr/bin", "/bin", "/usr/sbin", "/sbin",
                                             "/usr/local/bin"};
constexpr int kTryExecPenalty = 1;
constexpr std::size_t kDesktopFileLimit = 1u << 20;

std::string FindProgram(const std::filesystem::path& root, const std::string& program) {
  if (program.empty())
    return {};
  if (program.find('/') != std::string::npos)
    return program.front() == '/' ? program : std::string();
  for (const std::string_view dir : kProgramDirs) {
    std::string candidate = std::string(dir) + "/" + program;
    if (PathExists(UnderRoot(root, candidate)))
      return candidate;
  }
  return {};
}

// "kde/okular.desktop" below an applications directory has the ID "kde-okular.desktop".
std::vector<std::pair<std::string, std::filesystem::path>> DesktopFilesIn(
    const std::filesystem::path& dir) {
  std::vector<std::pair<std::string, std::filesystem::path>> files;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(dir, error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().extension() != ".desktop")
      continue;
    std::string id = it->path().lexically_relative(dir).generic_string();
    std::replace(id.begin(), id.end(), '/', '-');
    files.emplace_back(std::move(id), it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::string DesktopEntryIcon(std::string_view bytes) {
  bool inMainGroup = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos)
      end = bytes.size();
    const std::string_view line = TrimBlanks(bytes.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == '#')
      continue;
    if (line.front() == '[') {
      inMainGroup = line == "[Desktop Entry]";
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inMainGroup && equals != std::string_view::npos &&
        TrimBlanks(line.substr(0, equals)) == "Icon")
      return std::string(TrimBlanks(line.substr(equals + 1)));
  }
  return {};
}

DesktopIconIndex DesktopIconIndex::Build(const std::filesystem::path& root,
                                         const std::vector<std::string>& extraDirs) {
  DesktopIconIndex index;
  index.merged_ = MergedUsr::Detect(root);
  std::vector<std::string> dirs(std::begin(kSystemApplicationDirs),
                                std::end(kSystemApplicationDirs));
  dirs.insert(dirs.end(), extraDirs.begin(), extraDirs.end());
  std::unordered_set<std::string> seenIds;
  for (const std::string& dir : dirs) {
    for (const auto& [id, file] : DesktopFilesIn(UnderRoot(root, dir))) {
      if (!seenIds.insert(id).second)
        continue;
      const std::string bytes = ReadFileBytes(file, kDesktopFileLimit);
      const DesktopEntry entry = ParseDesktopEntry(bytes);
      const std::string icon = DesktopEntryIcon(bytes);
      if (entry.hidden || icon.empty())
        continue;
      if (!entry.type.empty() && entry.type != "Application")
        continue;
      index.AddLauncher(root, FindProgram(root, ExecProgram(entry.exec)), 0, icon);
      index.AddLauncher(root, FindProgram(root, ExecProgram(entry.try_exec)), kTryExecPenalty,
                        icon);
    }
  }
  return index;
}

void DesktopIconIndex::AddLauncher(const std::filesystem::path& root, const std::string& program,
                                   int rank, const std::string& icon) {
  if (program.empty())
    return;
  // The name in the entry and the file it leads to through links both identify the program.
  for (const std::string& spelling : {program, ResolveInRoot(root, program)}) {
    if (spelling.empty())
      continue;
    auto [it, inserted] = launchers_.try_emplace(merged_.Canonical(spelling), Launcher{rank, icon});
    if (!inserted && rank < it->second.rank)
      it->second = Launcher{rank, icon};
  }
}

std::string DesktopIconIndex::IconFor(std::string_view programPath) const {
  if (programPath.empty())
    return {};
  const auto found = launchers_.find(merged_.Canonical(programPath));
  return found == launchers_.end() ? std::string() : found->second.icon;
}

}  // namespace halvane
