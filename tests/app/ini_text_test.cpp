#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/ini_file.h"

namespace halvane {
namespace {

struct ReadCase {
  const char* name;
  std::string text;
  std::optional<std::string> value;  // of key "ShowInfo" in section "Set"
};

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, FindsTheValue) {
  EXPECT_EQ(IniReadValue(GetParam().text, "Set", "ShowInfo"), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IniReadTest,
    ::testing::Values(ReadCase{"Plain", "[Set]\nShowInfo=1\n", "1"},
                      ReadCase{"NamesIgnoreCase", "[sET]\nshowINFO=1\n", "1"},
                      ReadCase{"BlanksTrimmed", "  [ Set ]  \n\t ShowInfo \t=  0x1 \t\n", "0x1"},
                      ReadCase{"CrLf", "[Set]\r\nShowInfo=0\r\n", "0"},
                      ReadCase{"NoFinalNewline", "[Set]\nShowInfo=2", "2"},
                      ReadCase{"EmptyValue", "[Set]\nShowInfo=\n", ""},
                      ReadCase{"ValueWithEquals", "[Set]\nShowInfo=a=b\n", "a=b"},
                      ReadCase{"ByteOrderMark", "\xEF\xBB\xBF[Set]\nShowInfo=1\n", "1"},
                      ReadCase{"FirstKeyWins", "[Set]\nShowInfo=1\nShowInfo=0\n", "1"},
                      ReadCase{"FirstSectionWins", "[Set]\nA=1\n[Set]\nShowInfo=0\n", std::nullopt},
                      ReadCase{"OtherSection", "[Other]\nShowInfo=1\n[Set]\n", std::nullopt},
                      ReadCase{"BeforeAnySection", "ShowInfo=1\n[Set]\n", std::nullopt},
                      ReadCase{"CommentedOut", "[Set]\n;ShowInfo=1\n#ShowInfo=1\n", std::nullopt},
                      ReadCase{"LongerKeyName", "[Set]\nShowInfoX=1\n", std::nullopt},
                      ReadCase{"EmptyText", "", std::nullopt}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

struct WriteCase {
  const char* name;
  std::string before;
  std::string key;
  std::string value;
  std::string after;
};

class IniWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, ChangesOnlyTheKey) {
  const WriteCase& c = GetParam();
  EXPECT_EQ(IniWithValue(c.before, "Set", c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IniWriteTest,
    ::testing::Values(
        WriteCase{"NewFile", "", "ShowInfo", "1", "[Set]\nShowInfo=1\n"},
        WriteCase{"NewKeyAtEndOfSection", "[Set]\nA=1\n", "B", "0", "[Set]\nA=1\nB=0\n"},
        WriteCase{"NewKeyBeforeBlankLinesAndNextSection", "[Set]\r\nA=1\r\n\r\n[Next]\r\nB=2\r\n",
                  "C", "1", "[Set]\r\nA=1\r\nC=1\r\n\r\n[Next]\r\nB=2\r\n"},
        WriteCase{"NewKeyInEmptySection", "[Set]\n[Next]\n", "A", "1", "[Set]\nA=1\n[Next]\n"},
        WriteCase{"NewKeyAfterLastLineWithoutNewline", "[Set]\nA=1", "B", "0", "[Set]\nA=1\nB=0\n"},
        WriteCase{"NewKeyAfterHeaderWithoutNewline", "[Set]", "B", "0", "[Set]\nB=0\n"},
        WriteCase{"NewSectionAtEnd", "[Other]\nx=1\n", "A", "1", "[Other]\nx=1\n[Set]\nA=1\n"},
        WriteCase{"NewSectionAfterLastLineWithoutNewline", "[Other]\r\nx=1", "A", "1",
                  "[Other]\r\nx=1\r\n[Set]\r\nA=1\r\n"},
        WriteCase{"PresentKeyInPlace", "[Set]\nA=1\nB=1\nC=1\n", "B", "0",
                  "[Set]\nA=1\nB=0\nC=1\n"},
        WriteCase{"PresentKeyKeepsSpellingAndBlanks", "[sEt]\r\n  showinfo = 0x1  \r\n", "ShowInfo",
                  "1", "[sEt]\r\n  showinfo = 1  \r\n"},
        WriteCase{"PresentEmptyValue", "[Set]\nA=  \n", "A", "1", "[Set]\nA=1  \n"},
        WriteCase{"PresentKeyLastLineWithoutNewline", "[Set]\nA=0", "A", "1", "[Set]\nA=1"},
        WriteCase{"OtherLinesByteForByte",
                  "; Halvane\r\n[Other]\r\nA=0\r\n\r\n[Set]\r\n\tx y z\r\nA=0\r\n  # note \r\n\r\n"
                  "[Tail]\r\nA=1",
                  "A", "1",
                  "; Halvane\r\n[Other]\r\nA=0\r\n\r\n[Set]\r\n\tx y z\r\nA=1\r\n  # note \r\n\r\n"
                  "[Tail]\r\nA=1"},
        WriteCase{"NewKeyAfterCommentLine", "[Set]\nA=1\n; end\n\n", "B", "1",
                  "[Set]\nA=1\n; end\nB=1\n\n"},
        WriteCase{"FirstOfDuplicateKeys", "[Set]\nA=1\nA=1\n", "A", "0", "[Set]\nA=0\nA=1\n"},
        WriteCase{"CommentIsNoKey", "[Set]\n;A=1\n", "A", "0", "[Set]\n;A=1\nA=0\n"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace halvane
