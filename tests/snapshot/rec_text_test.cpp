#include "snapshot/rec_text.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace halvane {
namespace {

// Lengths around the boundary between texts kept in place and shared blocks.
class RecTextLength : public ::testing::TestWithParam<std::size_t> {};

TEST_P(RecTextLength, KeepsEveryByteAndEndsInAZeroByte) {
  std::string text;
  for (std::size_t i = 0; i < GetParam(); ++i)
    text += static_cast<char>(i % 3 == 1 ? '\0' : 'a' + i % 26);  // 0 bytes inside stay
  const RecText value(text);
  EXPECT_EQ(value.size(), text.size());
  EXPECT_EQ(value.empty(), text.empty());
  EXPECT_EQ(value.str(), text);
  EXPECT_EQ(value.c_str()[text.size()], '\0');

  RecText copy = value;
  RecText moved = std::move(copy);
  EXPECT_EQ(moved, value);
  EXPECT_TRUE(copy.empty());  // NOLINT: a moved-from text is empty
  EXPECT_EQ(copy.c_str()[0], '\0');
}

INSTANTIATE_TEST_SUITE_P(Boundaries, RecTextLength, ::testing::Values(0, 1, 14, 15, 16, 17, 300));

TEST(RecText, LongTextsShareOneBlockShortOnesDoNot) {
  const RecText path = "/usr/lib/firefox/firefox-bin";
  const RecText copy = path;
  EXPECT_TRUE(copy.SharesStorageWith(path));
  EXPECT_EQ(copy.c_str(), path.c_str());
  const RecText equalButOwn = std::string("/usr/lib/firefox/firefox-bin");
  EXPECT_FALSE(equalButOwn.SharesStorageWith(path));
  EXPECT_EQ(equalButOwn, path);
  const RecText port = "443";
  EXPECT_FALSE(RecText(port).SharesStorageWith(port));
}

TEST(RecText, AssignmentsKeepTheirValueWhenTheSourceIsTheTargetItself) {
  RecText text = "a description longer than fifteen bytes";
  const RecText before = text;
  text = text;  // NOLINT: assignment to itself
  EXPECT_EQ(text, before);
  text = text.view();  // the new value points into the old one
  EXPECT_EQ(text, before);
  text = std::string_view(text).substr(2, 5);
  EXPECT_EQ(text, "descr");
  text = text.view().substr(1);
  EXPECT_EQ(text, "escr");
  text.clear();
  EXPECT_EQ(text, "");
}

TEST(RecText, ComparesWithEveryKindOfText) {
  const RecText tcp = "TCP";
  EXPECT_TRUE(tcp == "TCP");
  EXPECT_TRUE("TCP" == tcp);
  EXPECT_TRUE(tcp == std::string("TCP"));
  EXPECT_TRUE(tcp == std::string_view("TCP"));
  EXPECT_TRUE(tcp != "UDP");
  EXPECT_TRUE(tcp != RecText("TC"));
  EXPECT_EQ("PID:" + RecText("42"), "PID:42");
  EXPECT_EQ(RecText("a company name of some length") + " ", "a company name of some length ");
}

// Rows are read on a worker while the window holds copies of the same texts.
TEST(RecText, CopiesComeAndGoOnSeveralThreads) {
  const RecText shared = "a path shared by every row of one process";
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&shared] {
      for (int i = 0; i < 20000; ++i) {
        std::vector<RecText> copies(8, shared);
        copies.pop_back();
      }
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(shared, "a path shared by every row of one process");
}

}  // namespace
}  // namespace halvane
