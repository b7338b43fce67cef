#include "view/row_compare.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace halvane {
namespace {

int Sign(int value) {
  return (value > 0) - (value < 0);
}

struct FoldedCase {
  const char* a;
  const char* b;
  int sign;
};

void PrintTo(const FoldedCase& c, std::ostream* os) {
  *os << ::testing::PrintToString(std::string(c.a)) << " vs "
      << ::testing::PrintToString(std::string(c.b));
}

class CompareFoldedTest : public ::testing::TestWithParam<FoldedCase> {};

TEST_P(CompareFoldedTest, OrdersTextsByFoldedBytes) {
  const FoldedCase& c = GetParam();
  EXPECT_EQ(Sign(CompareFolded(c.a, c.b)), c.sign);
  EXPECT_EQ(Sign(CompareFolded(c.b, c.a)), -c.sign) << "reversed";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CompareFoldedTest,
    ::testing::Values(FoldedCase{"", "", 0}, FoldedCase{"abc.exe", "ABC.EXE", 0},
                      FoldedCase{"a", "B", -1}, FoldedCase{"Svchost.exe", "svchost.exe", 0},
                      // Letters count as upper case, so [ \ ] ^ _ ` sort after every letter.
                      FoldedCase{"[", "z", 1}, FoldedCase{"\\", "Z", 1}, FoldedCase{"]", "z", 1},
                      FoldedCase{"^", "Z", 1}, FoldedCase{"_a", "za", 1}, FoldedCase{"`", "z", 1},
                      FoldedCase{"Z", "[", -1}, FoldedCase{"{", "_", 1}, FoldedCase{"9", "A", -1},
                      // Prefix first; empty before everything.
                      FoldedCase{"ab", "abc", -1}, FoldedCase{"", "a", -1},
                      FoldedCase{"", "\x01", -1},
                      // Text, not numbers.
                      FoldedCase{"443", "80", -1}, FoldedCase{"10.0.0.10", "10.0.0.2", -1},
                      // Bytes of Chinese text compare unsigned and unfolded, after all ASCII.
                      FoldedCase{"\xB0\xA1", "z", 1}, FoldedCase{"\xB0\xA1", "\xC0\xA1", -1},
                      FoldedCase{"\x80", "\x7F", 1}, FoldedCase{"\xE2", "\xC2", 1},
                      FoldedCase{"\xE5\xB7\xB2", "\xE5\xB7", 1}));

TEST(CompareFoldedValue, IsTheDifferenceOfTheFirstDifferingBytes) {
  EXPECT_EQ(CompareFolded("a", "c"), -2);
  EXPECT_EQ(CompareFolded("\xB0", "A"), 0xB0 - 'A');
  EXPECT_EQ(CompareFolded("x", "X"), 0);
}

// Records equal in every field but one, for each field.
using Field = RecText TMyRec::*;

struct ColumnCase {
  int column;
  Field field;  // null: the column never orders rows
};

TEST(CompareRowsTest, EachColumnComparesItsOwnField) {
  const Field fields[] = {&TMyRec::Protocol,    &TMyRec::State,       &TMyRec::LocalIP,
                          &TMyRec::LocalPort,   &TMyRec::RemoteIP,    &TMyRec::RemotePort,
                          &TMyRec::PID,         &TMyRec::ProcessName, &TMyRec::ProcessPath,
                          &TMyRec::Description, &TMyRec::Company,     &TMyRec::Mark};
  const ColumnCase columns[] = {{-2, nullptr},
                                {-1, nullptr},
                                {0, nullptr},
                                {1, &TMyRec::ProcessName},
                                {2, nullptr},
                                {3, &TMyRec::Protocol},
                                {4, &TMyRec::LocalIP},
                                {5, &TMyRec::LocalPort},
                                {6, &TMyRec::RemoteIP},
                                {7, &TMyRec::RemotePort},
                                {8, &TMyRec::State},
                                {9, nullptr},
                                {10, &TMyRec::ProcessPath},
                                {11, &TMyRec::Description},
                                {12, &TMyRec::Company},
                                {13, nullptr},
                                {14, nullptr}};
  for (const Field field : fields) {
    TMyRec low, high;
    for (const Field f : fields)
      low.*f = high.*f = "same";
    low.*field = "a";
    high.*field = "B";
    for (const ColumnCase& c : columns) {
      const int expected = c.field == field ? -1 : 0;
      EXPECT_EQ(Sign(CompareRows(&low, &high, c.column)), expected) << "column " << c.column;
      EXPECT_EQ(Sign(CompareRows(&high, &low, c.column)), -expected) << "column " << c.column;
    }
  }
}

TEST(CompareRowsTest, MissingRecordGivesZero) {
  TMyRec rec;
  rec.ProcessName = "a.exe";
  EXPECT_EQ(CompareRows(nullptr, &rec, 1), 0);
  EXPECT_EQ(CompareRows(&rec, nullptr, 1), 0);
  EXPECT_EQ(CompareRows(nullptr, nullptr, 1), 0);
}

}  // namespace
}  // namespace halvane
