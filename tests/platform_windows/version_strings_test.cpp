#include "platform/windows/version_strings.h"

#include <gtest/gtest.h>

#include "windows_test_support.h"

namespace halvane {
namespace {

namespace fs = std::filesystem;
using testing_windows::OwnProgramDirectory;
using testing_windows::Utf8Path;

std::string KeyOf(std::initializer_list<unsigned> bytes) {
  std::vector<std::byte> value;
  for (unsigned b : bytes)
    value.push_back(static_cast<std::byte>(b));
  return TranslationKey(value);
}

TEST(TranslationKeyTest, LanguageThenCodePageEachMostSignificantByteFirst) {
  struct Case {
    std::initializer_list<unsigned> bytes;
    const char* key;
  };
  const Case cases[] = {
      {{0x04, 0x08, 0xB0, 0x04}, "080404B0"},
      {{0x09, 0x04, 0xE4, 0x04}, "040904E4"},
      {{0x00, 0x00, 0x00, 0x00}, "00000000"},
      {{0xab, 0xcd, 0xef, 0x01}, "CDAB01EF"},
      {{0x04, 0x08, 0xB0, 0x04, 0x09, 0x04, 0xE4, 0x04}, "080404B0"},  // the first entry only
  };
  for (const Case& c : cases)
    EXPECT_EQ(KeyOf(c.bytes), c.key);
}

TEST(TranslationKeyTest, AValueShorterThanOneEntryGivesNoKey) {
  EXPECT_EQ(KeyOf({}), "");
  EXPECT_EQ(KeyOf({0x04, 0x08, 0xB0}), "");
}

// Test files with version resources, built beside this program.
struct VersionCase {
  const char* file;
  const char* description;
  const char* company;
};

class FileVersionStringsTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(FileVersionStringsTest, ReadsTheFirstTranslationOnly) {
  const VersionCase& c = GetParam();
  std::string company = "stale";
  EXPECT_EQ(FileVersionStrings(Utf8Path(OwnProgramDirectory() / c.file), company), c.description);
  EXPECT_EQ(company, c.company);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileVersionStringsTest,
    ::testing::Values(
        // Two translations, the first (US English, 1252) holding the strings.
        VersionCase{"platform_windows_tests.exe", "Halvane Windows back-end tests",
                    "Halvane 测试组"},
        // Two translations, only the second holding the strings: nothing is found.
        VersionCase{"version_second_only.dll", "", ""},
        // A company but no description under the first translation: neither is given.
        VersionCase{"version_company_only.dll", "", ""},
        // A description without a company.
        VersionCase{"version_description_only.dll", "只有说明", ""},
        // No version resource at all.
        VersionCase{"version_none.dll", "", ""}));

TEST(FileVersionStringsPathTest, EmptyOrMissingPathsGiveNothing) {
  std::string company = "stale";
  EXPECT_EQ(FileVersionStrings("", company), "");
  EXPECT_EQ(company, "");
  company = "stale";
  EXPECT_EQ(FileVersionStrings("C:\\no\\such\\file.exe", company), "");
  EXPECT_EQ(company, "");
}

TEST(FileVersionStringsPathTest, APathOutsideTheAnsiCodePageIsFoundAgain) {
  testing_windows::TemporaryFolder folder(L"程序 Ünïcødé ✓");
  const fs::path copy = folder.Path() / L"网络 ✓.exe";
  fs::copy_file(OwnProgramDirectory() / "platform_windows_tests.exe", copy);
  std::string company;
  EXPECT_EQ(FileVersionStrings(Utf8Path(copy), company), "Halvane Windows back-end tests");
  EXPECT_EQ(company, "Halvane 测试组");
}

}  // namespace
}  // namespace halvane
