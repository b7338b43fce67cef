#include "ui/qt/program_entry.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QSessionManager>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "platform/linux/program_file.h"
#include "platform/linux/single_instance.h"
#include "ui/qt/display_check.h"
#include "ui/qt/glyphs.h"
#include "ui/qt/window_assembly.h"

namespace halvane {

namespace {

constexpr const char* kApplicationTitle = "Halvane";
constexpr const char* kConsoleCompanion = "halvane-cli";

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Prints the list with the console companion that lies beside the program.
int RunConsoleCompanion(int argc, char** argv) {
  const std::string companion = DirectoryOf(OwnProgramFilePath()) + "/" + kConsoleCompanion;
  std::cerr << "halvane: no display available, printing the connection list with "
            << kConsoleCompanion << " instead\n";
  std::vector<std::string> args{companion};
  args.insert(args.end(), argv + 1, argv + argc);
  const int error = ReplaceProcessWith(companion, args);
  std::cerr << "halvane: cannot start " << companion << ": " << std::strerror(error) << "\n";
  return 1;
}

int RunMainWindow(QApplication& app) {
  UseFallbackIconTheme();
  HalvaneWindowAssembly assembly;
  FormNetrovaWindow& window = assembly.Window();
  QObject::connect(
      &app, &QGuiApplication::commitDataRequest, &window,
      [&window](QSessionManager& manager) { window.AskAtLogout(manager); }, Qt::DirectConnection);

  assembly.Form().FormCreate();  // the first picture of the window already shows the filled list
  window.CentreOnScreen();
  window.show();
  return QApplication::exec();
}

}  // namespace

int RunHalvane(int argc, char** argv) {
  if (!DisplayAvailable(Environment("QT_QPA_PLATFORM"), Environment("DISPLAY"),
                        Environment("WAYLAND_DISPLAY")))
    return RunConsoleCompanion(argc, argv);

  QApplication app(argc, argv);
  // Only the name: a display name would be appended to every window caption.
  QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
  QApplication::setWindowIcon(QIcon(ProgramIconPicture()));

  const SingleInstanceLock guard(InstanceLockDirectory(Environment("XDG_RUNTIME_DIR")),
                                 kApplicationTitle);
  if (guard.state() == SingleInstanceLock::State::HeldByAnother) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle),
                    QStringLiteral("The program already start"), QMessageBox::Ok);
    box.exec();
    return 0;
  }
  return RunMainWindow(app);
}

}  // namespace halvane
