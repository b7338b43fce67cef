#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "fakes/call_log.h"
#include "snapshot/table_sources.h"

namespace halvane::fakes {

// A process snapshot frozen with the names the identity held when it was taken.
class FakeProcessSnapshot : public IProcessSnapshot {
 public:
  FakeProcessSnapshot(std::map<std::uint32_t, std::string> names, CallLog& log)
      : names_(std::move(names)), log_(log) {}
  ~FakeProcessSnapshot() override { log_.push_back("close snapshot"); }

  std::string GetProcessNameByPid(std::uint32_t pid) const override {
    log_.push_back("name " + std::to_string(pid));
    const auto it = names_.find(pid);
    return it == names_.end() ? std::string() : it->second;
  }

 private:
  std::map<std::uint32_t, std::string> names_;
  CallLog& log_;
};

struct VersionStrings {
  std::string description;
  std::string company;
};

// Processes by PID and version strings by path; every call is appended to `log`.
class FakeProcessIdentity : public IProcessIdentity {
 public:
  // A process with an image name and, when `path` is not empty, a readable program file.
  void AddProcess(std::uint32_t pid, const std::string& name, const std::string& path = "",
                  const std::string& description = "", const std::string& company = "") {
    names[pid] = name;
    if (!path.empty()) {
      paths[pid] = path;
      versions[path] = {description, company};
    }
  }

  std::unique_ptr<IProcessSnapshot> CreateProcessSnapshot() override {
    log.push_back("snapshot");
    if (!snapshotAvailable)
      return nullptr;
    return std::make_unique<FakeProcessSnapshot>(names, log);
  }

  std::string GetProcessPathByPid(std::uint32_t pid) override {
    log.push_back("path " + std::to_string(pid));
    const auto it = paths.find(pid);
    return it == paths.end() ? std::string() : it->second;
  }

  // Leaves `company` alone for an unknown file, so a caller that reuses it shows the fault.
  std::string GetFileVersionStrings(const std::string& path, std::string& company) override {
    log.push_back("version " + path);
    if (!company.empty())
      log.push_back("company not emptied");
    const auto it = versions.find(path);
    if (it == versions.end())
      return std::string();
    company = it->second.company;
    return it->second.description;
  }

  bool EnableDebugPrivilege() override {
    log.push_back("debug privilege");
    return true;
  }

  std::map<std::uint32_t, std::string> names;  // what a snapshot taken now lists
  std::map<std::uint32_t, std::string> paths;
  std::map<std::string, VersionStrings> versions;
  bool snapshotAvailable = true;
  CallLog log;
};

}  // namespace halvane::fakes
