#include "platform/linux/dpkg_status.h"

#include "platform/linux/deb822.h"

namespace halvane {

namespace {

// The last word of "install ok installed"; these states have the package's files in place.
bool FilesAreInstalled(std::string_view status) {
  status = TrimBlanks(status);
  const std::size_t space = status.rfind(' ');
  const std::string_view state =
      space == std::string_view::npos ? status : status.substr(space + 1);
  return state == "installed" || state == "triggers-pending" || state == "triggers-awaited";
}

}  // namespace

std::vector<DpkgPackage> ParseDpkgStatus(std::string_view bytes) {
  std::vector<DpkgPackage> packages;
  for (const Deb822Paragraph& paragraph : ParseDeb822(bytes)) {
    const std::string_view name = TrimBlanks(paragraph.Field("Package"));
    if (name.empty() || !FilesAreInstalled(paragraph.Field("Status"))) {
      continue;
    }
    DpkgPackage package;
    package.name = name;
    package.architecture = TrimBlanks(paragraph.Field("Architecture"));
    package.summary = FirstLine(paragraph.Field("Description"));
    package.maintainer = FirstLine(paragraph.Field("Maintainer"));
    packages.push_back(std::move(package));
  }
  return packages;
}

DpkgListName SplitDpkgListName(std::string_view stem) {
  const std::size_t colon = stem.find(':');
  if (colon == std::string_view::npos) {
    return {stem, {}};
  }
  return {stem.substr(0, colon), stem.substr(colon + 1)};
}

std::string NameWithoutAddress(std::string_view person) {
  const std::size_t open = person.find('<');
  if (open != std::string_view::npos) {
    const std::size_t close = person.find('>', open);
    std::string rest(TrimBlanks(person.substr(0, open)));
    if (close != std::string_view::npos) {
      const std::string_view after = TrimBlanks(person.substr(close + 1));
      if (!after.empty() && !rest.empty()) {
        rest += ' ';
      }
      rest += after;
    }
    return std::string(TrimBlanks(rest));
  }
  return std::string(TrimBlanks(person));
}

}  // namespace halvane
