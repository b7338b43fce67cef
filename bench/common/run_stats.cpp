#include "common/run_stats.h"

#include <algorithm>
#include <cstdio>

namespace halvane::bench {

double Median(std::vector<double> values) {
  if (values.empty())
    return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1)
    return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

double Smallest(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

double Largest(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

std::string SecondsText(double seconds) {
  char text[32];
  if (seconds < 1)
    std::snprintf(text, sizeof text, "%.1f ms", seconds * 1000);
  else
    std::snprintf(text, sizeof text, "%.2f s", seconds);
  return text;
}

std::string RatioText(double value, double base) {
  if (base <= 0)
    return "-";
  char text[32];
  const double ratio = value / base;
  std::snprintf(text, sizeof text, ratio < 10 ? "%.2fx" : "%.1fx", ratio);
  return text;
}

std::string MegabytesText(long kilobytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(kilobytes) / 1024);
  return text;
}

std::string SkippedText(double maxSeconds) {
  char text[48];
  std::snprintf(text, sizeof text, "skipped (over %g s)", maxSeconds);
  return text;
}

std::string PadRight(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace halvane::bench
