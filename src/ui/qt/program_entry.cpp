#include "ui/qt/program_entry.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QSessionManager>
#include <QStandardPaths>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "app/app_urls.h"
#include "app/form_netrova.h"
#include "platform/linux/program_file.h"
#include "platform/linux/single_instance.h"
#include "ui/qt/display_check.h"
#include "ui/qt/glyphs.h"
#include "ui/qt/icon_backends.h"
#include "ui/qt/linux_app_services.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_window_surface.h"

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

std::vector<std::string> UserApplicationDirs() {
  const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (dataHome.isEmpty())
    return {};
  return {(dataHome + QStringLiteral("/applications")).toStdString()};
}

int RunMainWindow(QApplication& app) {
  UseFallbackIconTheme();
  IconNameRegistry iconNames;
  DesktopSystemIcons systemIcons(iconNames, DesktopIconIndex::Build("/", UserApplicationDirs()));
  PixmapImageStore smallImages(iconNames);
  PixmapImageStore largeImages(iconNames);
  LinuxAppServices services;
  QtWindowSurface surface;
  surface.UseLargeImages(&largeImages);
  // Refreshes read the tables on a thread of their own; the first one starts after FormCreate
  // raised the capabilities, which it inherits.
  TFormNetrova form(surface, services, IconBackends{systemIcons, smallImages, largeImages},
                    DefaultHomeUrl(), DefaultUpdateUrl(), MakeThreadRunner());
  FormNetrovaWindow window(form, services, smallImages);
  surface.Bind(&window);
  QObject::connect(
      &app, &QGuiApplication::commitDataRequest, &window,
      [&window](QSessionManager& manager) { window.AskAtLogout(manager); }, Qt::DirectConnection);

  form.FormCreate();  // the first picture of the window already shows the filled list
  window.CentreOnScreen();
  window.show();
  const int code = QApplication::exec();
  surface.Bind(nullptr);
  return code;
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
