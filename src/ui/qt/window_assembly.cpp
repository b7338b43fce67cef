#include "ui/qt/window_assembly.h"

#include <QStandardPaths>
#include <string>
#include <vector>

#include "app/app_urls.h"
#include "app/background_runner.h"

namespace halvane {
namespace {

std::vector<std::string> UserApplicationDirs() {
  const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (dataHome.isEmpty())
    return {};
  return {(dataHome + QStringLiteral("/applications")).toStdString()};
}

}  // namespace

// Refreshes read the tables on a thread of their own; the first one starts after FormCreate
// raised the capabilities, which it inherits.
HalvaneWindowAssembly::HalvaneWindowAssembly()
    : systemIcons_(iconNames_, DesktopIconIndex::Build("/", UserApplicationDirs())),
      smallImages_(iconNames_),
      largeImages_(iconNames_),
      form_(surface_, services_, IconBackends{systemIcons_, smallImages_, largeImages_},
            DefaultHomeUrl(), DefaultUpdateUrl(), MakeThreadRunner()),
      window_(form_, services_, smallImages_) {
  surface_.UseLargeImages(&largeImages_);
  surface_.Bind(&window_);
}

HalvaneWindowAssembly::~HalvaneWindowAssembly() {
  surface_.Bind(nullptr);
}

}  // namespace halvane
