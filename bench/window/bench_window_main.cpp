// The real window on the connections open right now: how long the GUI thread is held during
// refreshes, how long a sort by header click and a scroll jump take, and the resident memory.
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "common/run_stats.h"
#include "ui/qt/window_assembly.h"

namespace halvane::bench {
namespace {

const char* const kUsage =
    "usage: bench_window [--refreshes N] [--sorts N] [--scrolls N]\n"
    "Opens the window on the connections open right now (offscreen unless QT_QPA_PLATFORM is\n"
    "set), runs N refreshes one after another (default 5) while a 1 ms timer measures the\n"
    "longest time the GUI thread was held, then sorts by header clicks and jumps the scroll\n"
    "bar (defaults 8 and 50), and prints the times and the resident memory.\n";

struct WindowOptions {
  int refreshes = 5;
  int sorts = 8;
  int scrolls = 50;
};

bool ParseOptions(int argc, char** argv, WindowOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--refreshes" && hasValue)
      options.refreshes = std::atoi(argv[++i]);
    else if (arg == "--sorts" && hasValue)
      options.sorts = std::atoi(argv[++i]);
    else if (arg == "--scrolls" && hasValue)
      options.scrolls = std::atoi(argv[++i]);
    else
      return false;
  }
  return options.refreshes > 0 && options.sorts >= 0 && options.scrolls >= 0;
}

long StatusKb(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string name;
  long value = 0;
  while (in >> name) {
    if (name == key) {
      in >> value;
      return value;
    }
    in.ignore(1 << 12, '\n');
  }
  return 0;
}

// The longest gap between two ticks of a 1 ms timer: how long the GUI thread did nothing else.
class StallProbe {
 public:
  StallProbe() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
  }
  void Start() {
    clock_.start();
    last_ = 0;
    longest_ = 0;
    timer_.start();
  }
  // The longest gap since Start, in milliseconds; the probe keeps running.
  double Longest() {
    Measure();
    return static_cast<double>(longest_) / 1e6;
  }
  void SetOnTick(std::function<void()> onTick) { onTick_ = std::move(onTick); }

 private:
  void Measure() {
    const qint64 now = clock_.nsecsElapsed();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
  }
  void Tick() {
    Measure();
    if (onTick_)
      onTick_();
  }

  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ = 0;
  qint64 longest_ = 0;
  std::function<void()> onTick_;
};

struct RefreshRun {
  double wallMs;
  double longestStallMs;
  long rssKb;
};

// Refreshes one after another, each started by the probe once the one before has ended, as the
// button would start it.
std::vector<RefreshRun> MeasureRefreshes(TFormNetrova& form, int count) {
  std::vector<RefreshRun> runs;
  StallProbe probe;
  QElapsedTimer wall;
  bool started = false;
  probe.SetOnTick([&] {
    if (started && form.RefreshRunning())
      return;
    if (started) {
      started = false;
      runs.push_back({static_cast<double>(wall.nsecsElapsed()) / 1e6, 0, StatusKb("VmRSS:")});
      runs.back().longestStallMs = probe.Longest();
      if (static_cast<int>(runs.size()) == count) {
        // Not quit(): that would close the window, which asks the user first.
        QCoreApplication::exit(0);
        return;
      }
    }
    probe.Start();
    wall.start();
    started = true;
    form.HandleEvent([&form] { form.BTNRefreshClick(); });
  });
  probe.Start();
  QApplication::exec();
  return runs;
}

template <typename Step>
std::vector<double> TimeEach(int count, Step step) {
  std::vector<double> times;
  QElapsedTimer clock;
  for (int i = 0; i < count; ++i) {
    clock.start();
    step(i);
    times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
  }
  return times;
}

void PrintTimes(const char* label, std::vector<double> times) {
  if (times.empty())
    return;
  std::printf("%-34s %5zu runs  median %8.1f ms  max %8.1f ms\n", label, times.size(),
              Median(times), Largest(times));
}

int Run(const WindowOptions& options) {
  HalvaneWindowAssembly assembly;
  TFormNetrova& form = assembly.Form();
  FormNetrovaWindow& window = assembly.Window();

  QElapsedTimer clock;
  clock.start();
  form.FormCreate();
  const double createMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  clock.start();
  window.show();
  window.VTS->viewport()->repaint();
  const double showMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  std::printf(
      "rows: %d; creation with the first fill %.0f ms, show + first paint %.1f ms; "
      "resident %s, peak %s\n",
      window.VTS->model()->rowCount(), createMs, showMs, MegabytesText(StatusKb("VmRSS:")).c_str(),
      MegabytesText(StatusKb("VmHWM:")).c_str());

  const std::vector<RefreshRun> refreshes = MeasureRefreshes(form, options.refreshes);
  std::vector<double> walls, stalls;
  for (std::size_t i = 0; i < refreshes.size(); ++i) {
    std::printf("refresh %zu: %7.1f ms, GUI thread held at most %6.1f ms, resident %s\n", i + 1,
                refreshes[i].wallMs, refreshes[i].longestStallMs,
                MegabytesText(refreshes[i].rssKb).c_str());
    walls.push_back(refreshes[i].wallMs);
    stalls.push_back(refreshes[i].longestStallMs);
  }
  PrintTimes("refresh (read on the worker)", walls);
  PrintTimes("longest hold of the GUI thread", stalls);

  const int columns[] = {1, 4, 5, 7, 8, 10};
  PrintTimes("sort by header click + paint", TimeEach(options.sorts, [&](int i) {
               form.HandleEvent([&] { form.VTSHeaderClick(columns[i % 6]); });
               window.VTS->viewport()->repaint();
             }));
  std::mt19937 random(7);
  QScrollBar* bar = window.VTS->verticalScrollBar();
  PrintTimes("scroll jump + paint", TimeEach(options.scrolls, [&](int) {
               bar->setValue(std::uniform_int_distribution<int>(0, bar->maximum())(random));
               window.VTS->viewport()->repaint();
             }));
  std::printf("resident %s, peak %s\n", MegabytesText(StatusKb("VmRSS:")).c_str(),
              MegabytesText(StatusKb("VmHWM:")).c_str());
  return 0;
}

}  // namespace
}  // namespace halvane::bench

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  halvane::bench::WindowOptions options;
  if (!halvane::bench::ParseOptions(argc, argv, options)) {
    std::fputs(halvane::bench::kUsage, stderr);
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  return halvane::bench::Run(options);
}
