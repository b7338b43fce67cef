#pragma once
#include <string>
#include <vector>

namespace halvane::bench {

// The middle value; the mean of the two middle values for an even count; 0 for none.
double Median(std::vector<double> values);
double Smallest(const std::vector<double>& values);
double Largest(const std::vector<double>& values);

// "182.4 ms" below a second, "23.10 s" above.
std::string SecondsText(double seconds);
// "12.3x", or "-" when the base is not positive.
std::string RatioText(double value, double base);
// "45.2 MB" from kilobytes as getrusage reports them.
std::string MegabytesText(long kilobytes);

// The line "skipped (over N s)" of a measurement that outlasted its limit.
std::string SkippedText(double maxSeconds);

// Pads or leaves `text` to `width` display columns (ASCII text only).
std::string PadRight(const std::string& text, std::size_t width);
std::string PadLeft(const std::string& text, std::size_t width);

}  // namespace halvane::bench
