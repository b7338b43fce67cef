#include "merge/synthetic_system.h"

#include <algorithm>

#include "merge/synthetic_catalogue.h"

namespace halvane::bench {
namespace {

constexpr std::size_t kProcessCount = 400;
constexpr Ipv4Bytes kAnyAddress = {0, 0, 0, 0};
constexpr Ipv4Bytes kLoopback = {127, 0, 0, 1};

std::uint64_t AddressBits(const Ipv4Bytes& a) {
  return (std::uint64_t{a[0]} << 24) | (std::uint64_t{a[1]} << 16) | (std::uint64_t{a[2]} << 8) |
         a[3];
}

std::pair<std::uint64_t, std::uint64_t> KeyOf(const RawTcpRow& row) {
  return {(AddressBits(row.localAddr) << 32) | AddressBits(row.remoteAddr),
          (std::uint64_t{1} << 40) | (std::uint64_t{row.localPort} << 16) | row.remotePort};
}

std::pair<std::uint64_t, std::uint64_t> KeyOf(const RawUdpRow& row) {
  return {AddressBits(row.localAddr) << 32,
          (std::uint64_t{2} << 40) | (std::uint64_t{row.localPort} << 16)};
}

}  // namespace

class SyntheticSystem::SyntheticTables : public IConnectionTables {
 public:
  explicit SyntheticTables(const SyntheticSystem& system) : system_(system) {}
  std::vector<RawTcpRow> ReadTcpTable() override { return system_.TcpRows(); }
  std::vector<RawUdpRow> ReadUdpTable() override { return system_.UdpRows(); }

 private:
  const SyntheticSystem& system_;
};

class SyntheticProcessSnapshot : public IProcessSnapshot {
 public:
  explicit SyntheticProcessSnapshot(const SyntheticSystem& system) : system_(system) {}
  std::string GetProcessNameByPid(std::uint32_t pid) const override {
    const SyntheticProcess* process = system_.ProcessOf(pid);
    return process ? process->name : std::string();
  }

 private:
  const SyntheticSystem& system_;
};

class SyntheticSystem::SyntheticIdentity : public IProcessIdentity {
 public:
  explicit SyntheticIdentity(const SyntheticSystem& system) : system_(system) {}
  std::unique_ptr<IProcessSnapshot> CreateProcessSnapshot() override {
    return std::make_unique<SyntheticProcessSnapshot>(system_);
  }
  std::string GetProcessPathByPid(std::uint32_t pid) override {
    const SyntheticProcess* process = system_.ProcessOf(pid);
    return process ? process->path : std::string();
  }
  std::string GetFileVersionStrings(const std::string& path, std::string& company) override {
    const SyntheticProcess* process = system_.ProcessAt(path);
    company = process ? process->company : std::string();
    return process ? process->description : std::string();
  }
  bool EnableDebugPrivilege() override { return true; }

 private:
  const SyntheticSystem& system_;
};

SyntheticSystem::SyntheticSystem(std::size_t rows, std::uint64_t seed)
    : random_(seed),
      tables_(std::make_unique<SyntheticTables>(*this)),
      identity_(std::make_unique<SyntheticIdentity>(*this)) {
  MakeProcesses();
  const std::size_t udpRows = rows / 10;
  tcp_.reserve(rows - udpRows);
  udp_.reserve(udpRows);
  while (tcp_.size() < rows - udpRows)
    tcp_.push_back(UniqueTcpRow());
  while (udp_.size() < udpRows)
    udp_.push_back(UniqueUdpRow());
}

SyntheticSystem::~SyntheticSystem() = default;

IConnectionTables& SyntheticSystem::Tables() {
  return *tables_;
}
IProcessIdentity& SyntheticSystem::Identity() {
  return *identity_;
}

const SyntheticProcess* SyntheticSystem::ProcessOf(std::uint32_t pid) const {
  const auto found = byPid_.find(pid);
  return found == byPid_.end() ? nullptr : &processes_[found->second];
}

const SyntheticProcess* SyntheticSystem::ProcessAt(const std::string& path) const {
  const auto found = byPath_.find(path);
  return found == byPath_.end() ? nullptr : &processes_[found->second];
}

// Programs drawn by weight, so a few names own most processes; PIDs spread like a booted
// system's.
void SyntheticSystem::MakeProcesses() {
  std::vector<int> weights;
  for (const CatalogueProgram& program : kCataloguePrograms)
    weights.push_back(program.weight);
  std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
  for (std::size_t i = 0; i < kProcessCount; ++i) {
    const CatalogueProgram& program = kCataloguePrograms[pick(random_)];
    SyntheticProcess process{static_cast<std::uint32_t>(300 + i * 37 + random_() % 37),
                             program.name, program.path, program.description, program.company};
    byPid_[process.pid] = processes_.size();
    if (!process.path.empty())
      byPath_.emplace(process.path, processes_.size());
    processes_.push_back(std::move(process));
  }
}

std::uint32_t SyntheticSystem::SomePid() {
  return processes_[random_() % processes_.size()].pid;
}

// 2% listeners, 10% loopback connections, the rest between this host and its clients or
// backends; 85% established, the rest closing, TIME_WAIT ones owned by no process.
RawTcpRow SyntheticSystem::NewTcpRow() {
  RawTcpRow row;
  const unsigned kind = random_() % 100;
  const std::uint16_t ephemeral = static_cast<std::uint16_t>(32768 + random_() % 28232);
  const std::uint16_t service = kServicePorts[random_() % kServicePorts.size()];
  row.pid = SomePid();
  if (kind < 2) {
    row.state = 2;
    row.localAddr = random_() % 2 ? kAnyAddress : kLoopback;
    row.localPort = random_() % 2 ? service : ephemeral;
    return row;
  }
  const unsigned state = random_() % 100;
  row.state = state < 85 ? 5 : state < 91 ? 11 : state < 95 ? 8 : state < 97 ? 7 : 6;
  if (row.state == 11)
    row.pid = 0;
  const bool serverSide = random_() % 2 == 0;
  row.localPort = serverSide ? service : ephemeral;
  row.remotePort = serverSide ? static_cast<std::uint16_t>(1024 + random_() % 64500) : service;
  if (kind < 12) {
    row.localAddr = row.remoteAddr = kLoopback;
    return row;
  }
  row.localAddr = kHostAddresses[random_() % kHostAddresses.size()];
  const std::uint32_t peer = static_cast<std::uint32_t>(random_());
  row.remoteAddr = {static_cast<std::uint8_t>(random_() % 3 ? 10 : 1 + peer % 223),
                    static_cast<std::uint8_t>(peer >> 8), static_cast<std::uint8_t>(peer >> 16),
                    static_cast<std::uint8_t>(1 + (peer >> 24) % 254)};
  return row;
}

RawUdpRow SyntheticSystem::NewUdpRow() {
  RawUdpRow row;
  const unsigned where = random_() % 10;
  row.localAddr = where < 4   ? kAnyAddress
                  : where < 7 ? kLoopback
                              : kHostAddresses[random_() % kHostAddresses.size()];
  row.localPort = static_cast<std::uint16_t>(1 + random_() % 65535);
  row.pid = SomePid();
  return row;
}

RawTcpRow SyntheticSystem::UniqueTcpRow() {
  for (;;) {
    const RawTcpRow row = NewTcpRow();
    if (keys_.insert(KeyOf(row)).second)
      return row;
  }
}

RawUdpRow SyntheticSystem::UniqueUdpRow() {
  for (;;) {
    const RawUdpRow row = NewUdpRow();
    if (keys_.insert(KeyOf(row)).second)
      return row;
  }
}

// Removes `fraction` of the rows and inserts as many new ones at random places.
template <class Row, class Make>
void SyntheticSystem::ChurnTable(std::vector<Row>& rows, double fraction, Make make) {
  const std::size_t count = static_cast<std::size_t>(static_cast<double>(rows.size()) * fraction);
  std::vector<std::size_t> gone(rows.size());
  for (std::size_t i = 0; i < gone.size(); ++i)
    gone[i] = i;
  std::shuffle(gone.begin(), gone.end(), random_);
  gone.resize(count);
  std::vector<bool> vanishes(rows.size(), false);
  for (std::size_t i : gone) {
    vanishes[i] = true;
    keys_.erase(KeyOf(rows[i]));
  }
  std::vector<std::size_t> places(count);
  for (std::size_t& place : places)
    place = random_() % (rows.size() - count + 1);
  std::sort(places.begin(), places.end());
  std::vector<Row> next;
  next.reserve(rows.size());
  std::size_t kept = 0;
  auto place = places.begin();
  for (std::size_t i = 0; i <= rows.size(); ++i) {
    for (; place != places.end() && *place == kept; ++place)
      next.push_back(make());
    if (i == rows.size())
      break;
    if (vanishes[i])
      continue;
    next.push_back(rows[i]);
    ++kept;
  }
  rows = std::move(next);
}

// Established connections start closing; closing ones settle.
void SyntheticSystem::ChangeStates(std::size_t count) {
  if (tcp_.empty())
    return;
  for (std::size_t i = 0; i < count; ++i) {
    RawTcpRow& row = tcp_[random_() % tcp_.size()];
    if (row.state == 5)
      row.state = 8;
    else if (row.state == 8)
      row.state = 10;
  }
}

void SyntheticSystem::Churn(double fraction) {
  ChurnTable(tcp_, fraction, [this] { return UniqueTcpRow(); });
  ChurnTable(udp_, fraction, [this] { return UniqueUdpRow(); });
  ChangeStates(static_cast<std::size_t>(static_cast<double>(tcp_.size()) * fraction / 2));
}

}  // namespace halvane::bench
