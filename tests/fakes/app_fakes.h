#pragma once
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/app_services.h"
#include "app/form_proc_info.h"
#include "app/window_surface.h"
#include "fakes/call_log.h"
#include "fakes/fake_connection_tables.h"
#include "fakes/fake_process_identity.h"
#include "view/image_list_ex.h"

namespace halvane::fakes {

// The screen of one process details dialog: every call is logged as "ProcInfo ..." texts.
// Showing it runs `onShow` (the user's doings while it is open), then closes it as the frame's
// close button would, unless `onShow` closed it.
class FakeProcInfoSurface : public IProcInfoSurface {
 public:
  FakeProcInfoSurface(TFormProcInfo& dialog, CallLog& log, int number,
                      std::function<void(TFormProcInfo&)> onShow)
      : dialog_(dialog), log_(log), number_(std::to_string(number)), onShow_(std::move(onShow)) {
    log_.push_back("ProcInfo#" + number_ + " created");
  }
  ~FakeProcInfoSurface() override { log_.push_back("ProcInfo#" + number_ + " freed"); }

  void SetLabelCaption(ProcInfoLabel label, const std::string& caption) override {
    static const char* const kNames[] = {"LabExe", "LabExeDes", "LabPID", "Labcomp"};
    log_.push_back("ProcInfo " + std::string(kNames[static_cast<int>(label)]) + " [" + caption +
                   "]");
  }
  void SetPathText(const std::string& text) override {
    log_.push_back("ProcInfo EPath [" + text + "]");
  }
  void DrawLargeIcon(int largeIconIndex, int x, int y) override {
    log_.push_back("ProcInfo Icon " + std::to_string(largeIconIndex) + " at " + std::to_string(x) +
                   "," + std::to_string(y));
  }
  void ShowModal() override {
    log_.push_back("ProcInfo#" + number_ + " ShowModal");
    open_ = true;
    if (onShow_)
      onShow_(dialog_);
    if (open_)
      Close();
  }
  void Close() override {
    CloseAction action = CloseAction::Hide;
    dialog_.FormClose(action);
    open_ = false;
    log_.push_back("ProcInfo#" + number_ + " closed, action " +
                   std::to_string(static_cast<int>(action)));
  }

 private:
  TFormProcInfo& dialog_;
  CallLog& log_;
  std::string number_;
  std::function<void(TFormProcInfo&)> onShow_;
  bool open_ = false;
};

// The main window's screen: every call is logged as a short text such as "Topmost 0".
class FakeWindowSurface : public IMainWindowSurface {
 public:
  explicit FakeWindowSurface(CallLog& log) : log_(log) {}

  void SetAppCountText(const std::string& text) override { log_.push_back("AppCount " + text); }
  void SetNetCountText(const std::string& text) override {
    log_.push_back("NetCount " + text);
    if (!netCountFailure.empty())
      throw std::runtime_error(netCountFailure);
  }
  void ShowChecked(OptionBox box, bool checked) override {
    log_.push_back("ShowChecked " + std::to_string(static_cast<int>(box)) + " " + Bit(checked));
  }
  void SetRefreshEnabled(bool enabled) override {
    log_.push_back("RefreshEnabled " + Bit(enabled));
  }
  void StartTimer(int intervalMs) override {
    log_.push_back("StartTimer " + std::to_string(intervalMs));
  }
  void StopTimer() override { log_.push_back("StopTimer"); }
  void SetTopmost(bool topmost) override { log_.push_back("Topmost " + Bit(topmost)); }
  void SetColumnVisible(int column, bool visible) override {
    log_.push_back("ColumnVisible " + std::to_string(column) + " " + Bit(visible));
  }
  void ViewChanged() override { log_.push_back("ViewChanged"); }
  void FocusView() override { log_.push_back("FocusView"); }
  void ShowMessage(const std::string& text) override { log_.push_back("Message " + text); }
  bool AskYesNo(const std::string& text, MessageIcon icon, bool defaultNo) override {
    log_.push_back("Ask " + text + " icon=" + std::to_string(static_cast<int>(icon)) +
                   " defaultNo=" + Bit(defaultNo));
    if (whileAsking)
      whileAsking();
    return answerYes;
  }
  void ShowError(const std::string& text) override {
    log_.push_back("Error " + text);
    errors.push_back(text);
  }

  std::unique_ptr<IProcInfoSurface> CreateProcInfoSurface(TFormProcInfo& dialog) override {
    if (!hasProcInfoDialog)
      return nullptr;
    return std::make_unique<FakeProcInfoSurface>(dialog, log_, ++procInfoDialogs, whileDetailsOpen);
  }
  // With `queuePosted`, posted tasks wait, in order, for RunPosted: the message loop of the
  // test. Without, they run at once, as the surface's default does.
  void PostToGuiThread(std::function<void()> task) override {
    if (!queuePosted)
      return task();
    const std::lock_guard<std::mutex> hold(postedLock_);
    posted_.push_back(std::move(task));
  }
  // Runs the posted tasks, also those they post; returns how many ran.
  int RunPosted() {
    int ran = 0;
    while (std::function<void()> task = TakePosted()) {
      task();
      ++ran;
    }
    return ran;
  }
  std::size_t Posted() {
    const std::lock_guard<std::mutex> hold(postedLock_);
    return posted_.size();
  }

  bool queuePosted = false;
  bool answerYes = true;
  std::string netCountFailure;  // set: showing the connection count fails with it (a merge error)
  std::function<void()> whileAsking;  // runs while the question is open (a timer tick...)
  bool hasProcInfoDialog = true;
  int procInfoDialogs = 0;  // details dialogs made so far
  std::function<void(TFormProcInfo&)> whileDetailsOpen;
  std::vector<std::string> errors;

 private:
  static std::string Bit(bool on) { return on ? "1" : "0"; }
  std::function<void()> TakePosted() {
    const std::lock_guard<std::mutex> hold(postedLock_);
    if (posted_.empty())
      return {};
    std::function<void()> task = std::move(posted_.front());
    posted_.erase(posted_.begin());
    return task;
  }

  CallLog& log_;
  std::mutex postedLock_;
  std::vector<std::function<void()>> posted_;
};

// Connection tables that hand out the rows of `rows`, or fail with `failure` while it is set.
class FailingConnectionTables : public IConnectionTables {
 public:
  explicit FailingConnectionTables(CallLog& log) : rows(&log) {}

  std::vector<RawTcpRow> ReadTcpTable() override {
    if (whileReading)
      whileReading();
    if (!failure.empty())
      throw std::runtime_error(failure);
    return rows.ReadTcpTable();
  }
  std::vector<RawUdpRow> ReadUdpTable() override { return rows.ReadUdpTable(); }

  FakeConnectionTables rows;
  std::string failure;                 // empty: the tables are read
  std::function<void()> whileReading;  // runs as each read begins, on the reading thread
};

// The system and the desktop: fixed paths, and the documents and addresses opened.
class FakeAppServices : public IAppServices {
 public:
  explicit FakeAppServices(CallLog& log) : tables(log), log_(log) {}

  IConnectionTables& Tables() override { return tables; }
  IProcessIdentity& Identity() override { return identity; }
  std::string ProgramFilePath() override { return programFilePath; }
  std::string SystemDirectory() override { return systemDirectory; }
  std::string UserConfigDirectory() override { return userConfigDirectory; }
  void OpenDocument(const std::string& path) override {
    log_.push_back("OpenDocument " + path);
    openedDocuments.push_back(path);
  }
  void OpenUrl(const std::string& url) override {
    log_.push_back("OpenUrl " + url);
    openedUrls.push_back(url);
  }
  void CopyTextToClipboard(const std::string& utf8) override {
    log_.push_back("Clipboard");
    clipboard = utf8;
  }
  void ShowInFileManager(const std::string& path) override {
    log_.push_back("ShowInFileManager " + path);
  }
  void ShowFileProperties(const std::string& path) override {
    log_.push_back("ShowFileProperties " + path);
  }
  // With `runningPrograms` set, a PID is ended only while it runs the expected program.
  TerminateResult TerminateProcess(std::uint32_t pid, const std::string& expectedExePath) override {
    log_.push_back("Terminate " + std::to_string(pid) + " " + expectedExePath);
    TerminateResult result = terminateResult;
    if (!runningPrograms.empty()) {
      const auto running = runningPrograms.find(pid);
      result = running != runningPrograms.end() && running->second == expectedExePath
                   ? TerminateResult::Ended
                   : TerminateResult::CannotEnd;
    }
    if (result == TerminateResult::Ended) {
      ended.push_back(pid);
      if (onEnded)
        onEnded(pid);
    }
    return result;
  }
  bool IsRegularFile(const std::string& path) override { return regularFiles.count(path) > 0; }
  std::vector<std::string> SystemProgramDirectories() override { return systemProgramDirectories; }
  void ReturnFreeMemory() override { ++freeMemoryReturns; }

  FailingConnectionTables tables;
  FakeProcessIdentity identity;
  std::string programFilePath = "/opt/halvane/bin/halvane";
  std::string systemDirectory = "/usr/lib";
  std::string userConfigDirectory = "/nonexistent/config";
  std::vector<std::string> openedDocuments;
  std::vector<std::string> openedUrls;
  std::string clipboard;
  TerminateResult terminateResult = TerminateResult::Ended;
  std::map<std::uint32_t, std::string> runningPrograms;  // empty: terminateResult decides
  std::vector<std::uint32_t> ended;
  std::function<void(std::uint32_t)> onEnded;
  std::set<std::string> regularFiles;
  int freeMemoryReturns = 0;
  std::vector<std::string> systemProgramDirectories{"/usr/sbin", "/sbin", "/usr/lib/systemd",
                                                    "/lib/systemd"};

 private:
  CallLog& log_;
};

// System icons by path; a path not listed has no icon.
class FakeSystemIcons : public ISystemIcons {
 public:
  int SystemIconIndex(const std::string& path) override {
    const auto it = indexes.find(path);
    return it == indexes.end() ? -1 : it->second;
  }
  std::map<std::string, int> indexes;
};

// An image store that accepts every icon and counts them.
class FakeImageStore : public IImageStore {
 public:
  int ImageCount() const override { return static_cast<int>(added.size()); }
  int AddSystemIcon(int systemIndex, bool smallSystemList) override {
    added.push_back(systemIndex);
    return static_cast<int>(added.size()) - 1;
  }
  std::vector<int> added;
};

}  // namespace halvane::fakes
