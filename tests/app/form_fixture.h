#pragma once
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/form_netrova.h"
#include "fakes/app_fakes.h"
#include "fakes/fake_background_runner.h"

namespace halvane {

namespace fs = std::filesystem;

inline constexpr const char* kHomeUrl = "https://home.halvane.test/";
inline constexpr const char* kUpdateUrl = "https://home.halvane.test/update";

inline std::optional<std::string> ReadFileBytes(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error))
    return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A main window over a fake screen and fake services, its program living in a fresh temporary
// directory: <root>/bin/halvane, the user's configuration directory <root>/config.
class FormTest : public ::testing::Test {
 protected:
  FormTest() : surface(log), services(log), root_(MakeRoot()) {
    surface.queuePosted = true;  // completions wait for RunPosted, as for a message loop
    fs::create_directories(BinDir());
    services.programFilePath = (BinDir() / "halvane").string();
    services.systemDirectory = "/usr/lib/x86_64-linux-gnu";
    services.userConfigDirectory = (root_ / "config").string();
    UseStandardSnapshot();
  }

  ~FormTest() override {
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(root_, error)) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(root_, error);
  }

  // Two programs with ordinary endpoints, one with only a loopback connection, and the
  // path-less "System" with a UDP endpoint: four rows, three of them TCP, three programs.
  void UseStandardSnapshot() {
    using fakes::Tcp;
    using fakes::Udp;
    services.tables.rows.tcp = {
        Tcp(2, "0.0.0.0", 22, "0.0.0.0", 0, 1200),
        Tcp(5, "127.0.0.1", 5432, "127.0.0.1", 40000, 1300),
        Tcp(5, "192.168.1.5", 50000, "93.184.216.34", 443, 1400),
    };
    services.tables.rows.udp = {Udp("0.0.0.0", 68, 4)};
    services.identity.AddProcess(1200, "sshd", "/usr/sbin/sshd", "OpenSSH daemon", "OpenBSD");
    services.identity.AddProcess(1300, "postgres", "/usr/lib/postgresql/bin/postgres");
    services.identity.AddProcess(1400, "firefox", "/usr/lib/firefox/firefox", "Firefox", "Mozilla");
    services.identity.AddProcess(4, "System");
  }

  // The form reads its tables through `runner`: at once, on the test's thread, by default.
  // With UseThreads before, it reads on threads of its own, as the program does.
  TFormNetrova& Form() {
    if (!form_) {
      std::unique_ptr<IBackgroundRunner> ownRunner;
      if (useThreads_) {
        ownRunner = std::make_unique<ThreadRunner>();
        threads = static_cast<ThreadRunner*>(ownRunner.get());
      } else {
        ownRunner = std::make_unique<fakes::FakeBackgroundRunner>();
        runner = static_cast<fakes::FakeBackgroundRunner*>(ownRunner.get());
      }
      form_ = std::make_unique<TFormNetrova>(surface, services,
                                             IconBackends{systemIcons, smallImages, largeImages},
                                             kHomeUrl, kUpdateUrl, std::move(ownRunner));
    }
    return *form_;
  }
  void UseThreads() { useThreads_ = true; }

  // Gone with its runner; posted completions may still wait in the surface.
  void DestroyForm() {
    form_.reset();
    runner = nullptr;
    threads = nullptr;
  }

  // The message loop: what the reads posted back runs now (the merge of every refresh).
  int RunPosted() { return surface.RunPosted(); }

  // A request for a refresh, by the button, delivered as the front end does, and its merge.
  void Refreshed() {
    Form().HandleEvent([&] { Form().BTNRefreshClick(); });
    RunPosted();
  }

  // Creates the window and forgets what creation logged.
  TFormNetrova& Created() {
    Form().FormCreate();
    log.clear();
    return Form();
  }

  // A user's click on a box, delivered as the front end does.
  void Click(OptionBox box, bool checked) {
    Form().HandleEvent([&] { Form().OptionBoxClicked(box, checked); });
  }

  fs::path Root() const { return root_; }
  fs::path BinDir() const { return root_ / "bin"; }
  // With the trailing separator the system uses in the program's path.
  std::string ExeDir() const { return (BinDir() / "").string(); }
  fs::path IniBeside() const { return BinDir() / "Netrova.ini"; }
  fs::path IniInConfig() const { return root_ / "config" / "halvane" / "Netrova.ini"; }

  // The process names of the rows in display order.
  std::vector<std::string> RowNames() {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < Form().VTS().RowCount(); ++i) {
      names.push_back(Form().VTS().RowAt(i)->record.ProcessName.str());
    }
    return names;
  }

  // The first row of the process in display order, or null.
  ListRow* RowOf(const std::string& processName) {
    for (std::size_t i = 0; i < Form().VTS().RowCount(); ++i) {
      ListRow* row = Form().VTS().RowAt(i);
      if (row->record.ProcessName == processName)
        return row;
    }
    return nullptr;
  }

  long Count(const std::string& entry) const { return std::count(log.begin(), log.end(), entry); }

  // Position of the first entry, or the log's size when it is not there.
  std::size_t IndexOf(const std::string& entry) const {
    return static_cast<std::size_t>(std::find(log.begin(), log.end(), entry) - log.begin());
  }

  fakes::CallLog log;
  fakes::FakeWindowSurface surface;
  fakes::FakeAppServices services;
  fakes::FakeSystemIcons systemIcons;
  fakes::FakeImageStore smallImages;
  fakes::FakeImageStore largeImages;
  // The form's runner, while it lives: the fake, or the threads after UseThreads.
  fakes::FakeBackgroundRunner* runner = nullptr;
  ThreadRunner* threads = nullptr;

 private:
  static fs::path MakeRoot() {
    std::random_device random;
    const fs::path root =
        fs::temp_directory_path() /
        ("halvane-app-test-" + std::to_string(random()) + std::to_string(random()));
    fs::create_directories(root);
    return root;
  }

  fs::path root_;
  bool useThreads_ = false;
  std::unique_ptr<TFormNetrova> form_;
};

}  // namespace halvane
