#pragma once
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/app_services.h"
#include "app/window_surface.h"
#include "fakes/call_log.h"
#include "fakes/fake_connection_tables.h"
#include "fakes/fake_process_identity.h"
#include "view/image_list_ex.h"

namespace halvane::fakes {

// The main window's screen: every call is logged as a short text such as "Topmost 0".
class FakeWindowSurface : public IMainWindowSurface {
 public:
  explicit FakeWindowSurface(CallLog& log) : log_(log) {}

  void SetAppCountText(const std::string& text) override { log_.push_back("AppCount " + text); }
  void SetNetCountText(const std::string& text) override { log_.push_back("NetCount " + text); }
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
    return answerYes;
  }
  void ShowError(const std::string& text) override {
    log_.push_back("Error " + text);
    errors.push_back(text);
  }

  bool answerYes = true;
  std::vector<std::string> errors;

 private:
  static std::string Bit(bool on) { return on ? "1" : "0"; }
  CallLog& log_;
};

// Connection tables that hand out the rows of `rows`, or fail with `failure` while it is set.
class FailingConnectionTables : public IConnectionTables {
 public:
  explicit FailingConnectionTables(CallLog& log) : rows(&log) {}

  std::vector<RawTcpRow> ReadTcpTable() override {
    if (!failure.empty())
      throw std::runtime_error(failure);
    return rows.ReadTcpTable();
  }
  std::vector<RawUdpRow> ReadUdpTable() override { return rows.ReadUdpTable(); }

  FakeConnectionTables rows;
  std::string failure;  // empty: the tables are read
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

  FailingConnectionTables tables;
  FakeProcessIdentity identity;
  std::string programFilePath = "/opt/halvane/bin/halvane";
  std::string systemDirectory = "/usr/lib";
  std::string userConfigDirectory = "/nonexistent/config";
  std::vector<std::string> openedDocuments;
  std::vector<std::string> openedUrls;

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
