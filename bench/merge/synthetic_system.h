#pragma once
#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "snapshot/raw_rows.h"
#include "snapshot/table_sources.h"

namespace halvane::bench {

struct SyntheticProcess {
  std::uint32_t pid = 0;
  std::string name;
  std::string path;  // empty for a process whose program cannot be read
  std::string description;
  std::string company;
};

// A busy server that exists only in memory: TCP and UDP endpoints of a few hundred processes
// that share a few dozen names, with listeners, loopback connections, TIME_WAIT rows owned
// by no process, and a churn step that changes a share of it. The same seed gives the same
// machine.
class SyntheticSystem {
 public:
  SyntheticSystem(std::size_t rows, std::uint64_t seed);
  SyntheticSystem(const SyntheticSystem&) = delete;
  SyntheticSystem& operator=(const SyntheticSystem&) = delete;
  ~SyntheticSystem();

  // `fraction` of the endpoints of each table vanish, as many new ones appear at random
  // places, and half as many TCP endpoints change state.
  void Churn(double fraction);

  IConnectionTables& Tables();
  IProcessIdentity& Identity();

  const std::vector<RawTcpRow>& TcpRows() const { return tcp_; }
  const std::vector<RawUdpRow>& UdpRows() const { return udp_; }
  const SyntheticProcess* ProcessOf(std::uint32_t pid) const;
  const SyntheticProcess* ProcessAt(const std::string& path) const;

 private:
  using EndpointKey = std::pair<std::uint64_t, std::uint64_t>;

  void MakeProcesses();
  std::uint32_t SomePid();
  RawTcpRow NewTcpRow();
  RawUdpRow NewUdpRow();
  RawTcpRow UniqueTcpRow();
  RawUdpRow UniqueUdpRow();
  void ChangeStates(std::size_t count);
  template <class Row, class Make>
  void ChurnTable(std::vector<Row>& rows, double fraction, Make make);

  std::mt19937_64 random_;
  std::vector<SyntheticProcess> processes_;
  std::unordered_map<std::uint32_t, std::size_t> byPid_;
  std::unordered_map<std::string, std::size_t> byPath_;
  std::vector<RawTcpRow> tcp_;
  std::vector<RawUdpRow> udp_;
  std::set<EndpointKey> keys_;
  class SyntheticTables;
  class SyntheticIdentity;
  std::unique_ptr<SyntheticTables> tables_;
  std::unique_ptr<SyntheticIdentity> identity_;
};

}  // namespace halvane::bench
