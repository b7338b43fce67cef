#pragma once
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/form_netrova.h"
#include "fakes/fake_connection_tables.h"
#include "fakes/fake_process_identity.h"
#include "ui/qt/icon_backends.h"
#include "ui/qt/linux_app_services.h"
#include "ui/qt/main_window.h"
#include "ui/qt/proc_info_dialog.h"
#include "ui/qt/qt_window_surface.h"

namespace halvane::testing_qt {

// The system as the window sees it: fake tables and identity, the program in a temporary
// directory (where its settings file goes), and every link recorded instead of opened.
class FakeServices : public IAppServices {
 public:
  explicit FakeServices(std::string programDir) : programDir_(std::move(programDir)) {}
  IConnectionTables& Tables() override { return tables; }
  IProcessIdentity& Identity() override { return identity; }
  std::string ProgramFilePath() override { return programDir_ + "/halvane"; }
  std::string SystemDirectory() override { return "/usr/sbin"; }
  std::string UserConfigDirectory() override { return programDir_ + "/config"; }
  void OpenDocument(const std::string& path) override { opened.push_back(path); }
  void OpenUrl(const std::string& url) override { opened.push_back(url); }
  // The row commands: recorded, and the clipboard handed to the real desktop services.
  void CopyTextToClipboard(const std::string& utf8) override { desktop.CopyTextToClipboard(utf8); }
  void ShowInFileManager(const std::string& path) override { commands.push_back("locate " + path); }
  void ShowFileProperties(const std::string& path) override {
    commands.push_back("properties " + path);
  }
  TerminateResult TerminateProcess(std::uint32_t pid, const std::string& path) override {
    commands.push_back("end " + std::to_string(pid) + " " + path);
    return TerminateResult::Ended;
  }
  bool IsRegularFile(const std::string&) override { return true; }
  std::vector<std::string> SystemProgramDirectories() override {
    return desktop.SystemProgramDirectories();
  }

  fakes::FakeConnectionTables tables;
  fakes::FakeProcessIdentity identity;
  std::vector<std::string> opened;
  std::vector<std::string> commands;
  // No bus: nothing leaves the test through it.
  LinuxAppServices desktop{
      DesktopFileManager(QDBusConnection(QStringLiteral("none")), [](const QUrl&) {})};

 private:
  std::string programDir_;
};

// The Qt surface with its modal boxes answered by the test.
class ScriptedSurface : public QtWindowSurface {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& text, MessageIcon, bool) override {
    questions.push_back(text);
    return answerYes;
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  // Every details dialog is handed to `whileDetailsOpen` once its modal showing runs, which
  // must close it; without one, BTNOK closes it at once.
  std::unique_ptr<IProcInfoSurface> CreateProcInfoSurface(TFormProcInfo& dialog) override {
    auto surface = QtWindowSurface::CreateProcInfoSurface(dialog);
    auto* shown = static_cast<ProcInfoDialog*>(surface.get());
    ++dialogsMade;
    QTimer::singleShot(0, shown, [this, shown] {
      if (whileDetailsOpen)
        whileDetailsOpen(*shown);
      else
        shown->BTNOK->click();
    });
    return surface;
  }

  bool answerYes = false;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::vector<std::string> errors;
  int dialogsMade = 0;
  std::function<void(ProcInfoDialog&)> whileDetailsOpen;
};

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Four processes, two of them without a program file, and five connections.
inline void FillSnapshot(FakeServices& services) {
  using fakes::Tcp;
  using fakes::Udp;
  services.identity.AddProcess(4, "System");
  services.identity.AddProcess(812, "sshd", "/usr/sbin/sshd", "OpenSSH server", "OpenBSD");
  services.identity.AddProcess(1500, "firefox", "/usr/lib/firefox/firefox", "Firefox", "Mozilla");
  services.identity.AddProcess(77, "avahi-daemon");
  services.tables.tcp = {Tcp(2, "0.0.0.0", 22, "0.0.0.0", 0, 812),
                         Tcp(5, "192.168.1.5", 40000, "93.184.216.34", 443, 1500),
                         Tcp(5, "127.0.0.1", 631, "127.0.0.1", 50000, 4)};
  services.tables.udp = {Udp("0.0.0.0", 5353, 77), Udp("0.0.0.0", 68, 4)};
}

// A window over the form, built as the program builds it, with FormCreate already run. Its
// refreshes read the tables on threads of their own, as in the program.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    programDir = dir_.path().toStdString();
    services = std::make_unique<FakeServices>(programDir);
    FillSnapshot(*services);
  }

  void TearDown() override {
    if (window)
      window->hide();
    surface.Bind(nullptr);
  }

  void Open(bool show = true) {
    systemIcons = std::make_unique<DesktopSystemIcons>(registry, DesktopIconIndex());
    smallImages = std::make_unique<PixmapImageStore>(registry);
    largeImages = std::make_unique<PixmapImageStore>(registry);
    auto runner = std::make_unique<ThreadRunner>();
    threads = runner.get();
    form = std::make_unique<TFormNetrova>(
        surface, *services, IconBackends{*systemIcons, *smallImages, *largeImages},
        "https://halvane.example/", "https://halvane.example/update", std::move(runner));
    window = std::make_unique<FormNetrovaWindow>(*form, *services, *smallImages);
    surface.Bind(window.get());
    surface.UseLargeImages(largeImages.get());
    form->FormCreate();
    if (show) {
      window->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
  }

  // Waits for the read in flight and runs what it posted to the message loop: the merge, and
  // after it any refresh asked for meanwhile.
  void SettleRefresh() {
    for (int round = 0; round < kMaxRounds && form->RefreshRunning(); ++round) {
      threads->Wait();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
  }
  static constexpr int kMaxRounds = 8;

  std::string SettingsFile() const { return programDir + "/Netrova.ini"; }
  QString Cell(int row, int column) const {
    return window->VTS->model()->index(row, column).data().toString();
  }
  QPoint CellCentre(int row, int column) const {
    return window->VTS->visualRect(window->VTS->model()->index(row, column)).center();
  }
  int RowOfProcess(const QString& name) const {
    for (int row = 0; row < window->VTS->model()->rowCount(); ++row) {
      if (Cell(row, 1) == name)
        return row;
    }
    return -1;
  }
  QPoint CaptionCentre(int column) const {
    const QHeaderView* header = window->VTS->horizontalHeader();
    return {header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
            header->height() / 2};
  }

  QTemporaryDir dir_;
  std::string programDir;
  std::unique_ptr<FakeServices> services;
  ScriptedSurface surface;
  IconNameRegistry registry;
  std::unique_ptr<DesktopSystemIcons> systemIcons;
  std::unique_ptr<PixmapImageStore> smallImages;
  std::unique_ptr<PixmapImageStore> largeImages;
  std::unique_ptr<TFormNetrova> form;
  ThreadRunner* threads = nullptr;  // the form's
  std::unique_ptr<FormNetrovaWindow> window;
};

}  // namespace halvane::testing_qt
