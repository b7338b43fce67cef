#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace halvane {
namespace {

struct OptionCase {
  std::vector<std::string> args;
  bool ok;
  OutputFormat format;
};

TEST(CliOptions, AcceptsAndRejects) {
  const std::vector<OptionCase> cases = {
      {{}, true, OutputFormat::Table},
      {{"--csv"}, true, OutputFormat::Csv},
      {{"--json", "--hide-local"}, true, OutputFormat::Json},
      {{"--watch", "2"}, true, OutputFormat::Table},
      {{"--watch", "0.5", "--rounds", "3", "--json"}, true, OutputFormat::Json},
      {{"--bogus"}, false, OutputFormat::Table},
      {{"--watch"}, false, OutputFormat::Table},
      {{"--watch", "abc"}, false, OutputFormat::Table},
      {{"--watch", "-1"}, false, OutputFormat::Table},
      {{"--watch", "0"}, false, OutputFormat::Table},
      {{"--watch", "1x"}, false, OutputFormat::Table},
      {{"--watch", "1", "--rounds", "0"}, false, OutputFormat::Table},
      {{"--watch", "1", "--rounds", "2.5"}, false, OutputFormat::Table},
      {{"--rounds", "2"}, false, OutputFormat::Table},
      {{"--csv", "--json"}, false, OutputFormat::Table},
  };
  for (const OptionCase& c : cases) {
    const CliParseResult r = ParseCliOptions(c.args);
    std::string joined;
    for (const auto& a : c.args)
      joined += a + ' ';
    EXPECT_EQ(r.error.empty(), c.ok) << joined << "-> " << r.error;
    if (c.ok) {
      EXPECT_EQ(r.options.format, c.format) << joined;
    } else {
      EXPECT_EQ(r.error.find('\n'), std::string::npos) << "one line: " << joined;
    }
  }
}

TEST(CliOptions, WatchAndRoundsValues) {
  const CliParseResult r = ParseCliOptions({"--watch", "0.25", "--rounds", "4", "--hide-local"});
  ASSERT_TRUE(r.error.empty());
  EXPECT_DOUBLE_EQ(*r.options.watchSeconds, 0.25);
  EXPECT_EQ(*r.options.rounds, 4);
  EXPECT_TRUE(r.options.hideLocal);
  EXPECT_TRUE(ParseCliOptions({"--help"}).options.help);
}

}  // namespace
}  // namespace halvane
