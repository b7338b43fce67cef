#include "common/guarded_child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>

namespace halvane::bench {
namespace {

void WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      std::_Exit(4);  // the parent is gone: nobody to report to
    done += static_cast<std::size_t>(n);
  }
}

[[noreturn]] void RunChild(const std::function<void(StepReporter&)>& body, int fd) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  StepReporter reporter(fd);
  int status = 0;
  try {
    body(reporter);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench child: %s\n", error.what());
    status = 3;
  } catch (...) {
    status = 3;
  }
  std::_Exit(status);
}

// Splits "X\tfield\tfield" into its fields.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');)
    fields.push_back(field);
  return fields;
}

class ReportReader {
 public:
  explicit ReportReader(GuardedOutcome& outcome) : outcome_(outcome) {}

  void Take(const char* data, std::size_t size) {
    pending_.append(data, size);
    for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
      Apply(Fields(pending_.substr(0, end)));
      pending_.erase(0, end + 1);
    }
  }
  const std::string& OpenStep() const { return openStep_; }

 private:
  void Apply(const std::vector<std::string>& fields) {
    if (fields.size() == 2 && fields[0] == "B")
      openStep_ = fields[1];
    if (fields.size() == 3 && fields[0] == "E") {
      outcome_.runs[fields[1]].push_back(std::strtod(fields[2].c_str(), nullptr));
      openStep_.clear();
    }
    if (fields.size() == 3 && fields[0] == "F")
      outcome_.facts[fields[1]] = fields[2];
  }

  GuardedOutcome& outcome_;
  std::string pending_;
  std::string openStep_;
};

// Reads reports until the child closes the pipe (true) or stays silent too long (false).
bool ReadReports(int fd, ReportReader& reader, double maxSeconds) {
  char buffer[4096];
  for (;;) {
    pollfd wait{fd, POLLIN, 0};
    const int ready = poll(&wait, 1, static_cast<int>(maxSeconds * 1000));
    if (ready < 0 && errno == EINTR)
      continue;
    if (ready <= 0)
      return false;
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return true;
    reader.Take(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace

void StepReporter::Send(const std::string& line) {
  WriteAll(fd_, line + "\n");
}

void StepReporter::Begin(const std::string& step) {
  Send("B\t" + step);
}

void StepReporter::End(const std::string& step, double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9f", seconds);
  Send("E\t" + step + "\t" + text);
}

void StepReporter::Fact(const std::string& key, const std::string& value) {
  Send("F\t" + key + "\t" + value);
}

GuardedOutcome RunGuarded(const std::function<void(StepReporter&)>& body,
                          double maxSecondsPerStep) {
  GuardedOutcome outcome;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    outcome.failed = true;
    return outcome;
  }
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    RunChild(body, fds[1]);
  }
  close(fds[1]);
  if (child < 0) {
    close(fds[0]);
    outcome.failed = true;
    return outcome;
  }
  ReportReader reader(outcome);
  const bool finished = ReadReports(fds[0], reader, maxSecondsPerStep);
  close(fds[0]);
  if (!finished) {
    kill(child, SIGKILL);
    outcome.overrunStep = reader.OpenStep().empty() ? "between steps" : reader.OpenStep();
  }
  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  outcome.peakRssKb = usage.ru_maxrss;
  if (finished && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
    outcome.failed = true;
  return outcome;
}

}  // namespace halvane::bench
