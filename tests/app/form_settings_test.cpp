#include <array>
#include <optional>

#include "app/ini_file.h"
#include "app/settings_file.h"
#include "form_fixture.h"

namespace halvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Box states in tag order: ShowLocal, AutoRefresh, AlwaysTop, ShowInfo.
using BoxStates = std::array<bool, 4>;
constexpr BoxStates kLayout = {true, false, true, false};

struct LoadCase {
  const char* name;
  std::optional<std::string> before;  // the file beside the program; none: no file
  BoxStates checked;                  // after creation
  std::optional<std::string> after;   // the file after creation
};

class LoadSettingsTest : public FormTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadSettingsTest, AppliesWhatDiffersFromTheLayout) {
  const LoadCase& c = GetParam();
  if (c.before)
    WriteFileBytes(IniBeside(), *c.before);

  Form().FormCreate();

  EXPECT_THAT(surface.errors, IsEmpty());
  const BoxStates checked = {
      Form().OptionChecked(OptionBox::ShowLocal), Form().OptionChecked(OptionBox::AutoRefresh),
      Form().OptionChecked(OptionBox::AlwaysTop), Form().OptionChecked(OptionBox::ShowInfo)};
  EXPECT_EQ(checked, c.checked);
  const BoxStates mirrors = {
      Form().Mirror(OptionBox::ShowLocal), Form().Mirror(OptionBox::AutoRefresh),
      Form().Mirror(OptionBox::AlwaysTop), Form().Mirror(OptionBox::ShowInfo)};
  EXPECT_EQ(mirrors, c.checked);
  // The effects follow the boxes.
  EXPECT_EQ(Form().VTS().RowCount(), c.checked[0] ? 4u : 3u);
  EXPECT_EQ(Form().TimerRunning(), c.checked[1]);
  EXPECT_EQ(Form().Topmost(), c.checked[2]);
  EXPECT_EQ(Form().ColumnVisible(10), c.checked[3]);
  EXPECT_EQ(Count("tcp table"), 1);
  // Only a box that changed ran its handler, so only its key can have been written.
  for (std::size_t i = 0; i < 4; ++i) {
    const std::string shown =
        "ShowChecked " + std::to_string(i + 1) + " " + (c.checked[i] ? "1" : "0");
    EXPECT_EQ(Count(shown), c.checked[i] != kLayout[i] ? 1 : 0) << shown;
  }
  EXPECT_EQ(ReadFileBytes(IniBeside()), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadSettingsTest,
    ::testing::Values(
        LoadCase{"MissingFile", std::nullopt, kLayout, std::nullopt},
        LoadCase{"EmptyFile", "", kLayout, ""},
        LoadCase{"ShowLocalZero",
                 "[Set]\nShowLocal=0\n",
                 {false, false, true, false},
                 "[Set]\nShowLocal=0\n"},
        LoadCase{"AutoRefreshOne",
                 "[Set]\nAutoRefresh=1\n",
                 {true, true, true, false},
                 "[Set]\nAutoRefresh=1\n"},
        LoadCase{"AlwaysTopZero",
                 "[Set]\nAlwaysTop=0\n",
                 {true, false, false, false},
                 "[Set]\nAlwaysTop=0\n"},
        LoadCase{
            "ShowInfoOne", "[Set]\nShowInfo=1\n", {true, false, true, true}, "[Set]\nShowInfo=1\n"},
        LoadCase{"AlwaysTopYes", "[Set]\nAlwaysTop=yes\n", kLayout, "[Set]\nAlwaysTop=yes\n"},
        LoadCase{"AlwaysTopEmpty", "[Set]\nAlwaysTop=\n", kLayout, "[Set]\nAlwaysTop=\n"},
        LoadCase{"AlwaysTopTooLarge", "[Set]\nAlwaysTop=4294967296\n", kLayout,
                 "[Set]\nAlwaysTop=4294967296\n"},
        LoadCase{"ShowInfoTooLarge", "[Set]\nShowInfo=2147483648\n", kLayout,
                 "[Set]\nShowInfo=2147483648\n"},
        LoadCase{"AlwaysTopHexZero",
                 "[Set]\nAlwaysTop=0x0\n",
                 {true, false, false, false},
                 "[Set]\nAlwaysTop=0\n"},
        LoadCase{"AlwaysTopDollarZero",
                 "[Set]\nAlwaysTop=$0\n",
                 {true, false, false, false},
                 "[Set]\nAlwaysTop=0\n"},
        LoadCase{"ShowInfoMinusOne",
                 "[Set]\nShowInfo=-1\n",
                 {true, false, true, true},
                 "[Set]\nShowInfo=1\n"},
        LoadCase{
            "ShowInfoTwo", "[Set]\nShowInfo=2\n", {true, false, true, true}, "[Set]\nShowInfo=1\n"},
        LoadCase{"ShowInfoMostNegative",
                 "[Set]\nShowInfo=-2147483648\n",
                 {true, false, true, true},
                 "[Set]\nShowInfo=1\n"},
        LoadCase{"ShowInfoBlankOne",
                 "[Set]\nShowInfo= 1\n",
                 {true, false, true, true},
                 "[Set]\nShowInfo= 1\n"},
        LoadCase{"ShowInfoPlusOne",
                 "[Set]\nShowInfo=+1\n",
                 {true, false, true, true},
                 "[Set]\nShowInfo=1\n"},
        LoadCase{"ShowInfoHexOne",
                 "[Set]\nShowInfo=0X1f\n",
                 {true, false, true, true},
                 "[Set]\nShowInfo=1\n"},
        LoadCase{"ShowInfoHexPrefixOnly", "[Set]\nShowInfo=0x\n", kLayout, "[Set]\nShowInfo=0x\n"},
        LoadCase{"AlwaysTopHexPrefixOnly", "[Set]\nAlwaysTop=0x\n", kLayout,
                 "[Set]\nAlwaysTop=0x\n"},
        // Values equal to the layout state run no handler: their odd forms stay as they are.
        LoadCase{"EqualToLayoutNotWritten",
                 "[Set]\nShowLocal=0x1\nAutoRefresh=$0\nAlwaysTop=+1\nShowInfo=-0\n", kLayout,
                 "[Set]\nShowLocal=0x1\nAutoRefresh=$0\nAlwaysTop=+1\nShowInfo=-0\n"},
        LoadCase{"NamesIgnoreCase",
                 "[sET]\r\nshowinfo = 2 \r\n",
                 {true, false, true, true},
                 "[sET]\r\nshowinfo = 1 \r\n"},
        LoadCase{"KeyOrderKept",
                 "[Set]\nShowInfo=2\nAlwaysTop=0x0\nShowLocal=0\n",
                 {false, false, false, true},
                 "[Set]\nShowInfo=1\nAlwaysTop=0\nShowLocal=0\n"},
        LoadCase{"OtherLinesKept",
                 "; Halvane\r\n[Other]\r\nShowLocal=0\r\n\r\n[Set]\r\n  AlwaysTop = $0  \r\n"
                 "foo = bar \r\n\r\n[Tail]\r\nx=1",
                 {true, false, false, false},
                 "; Halvane\r\n[Other]\r\nShowLocal=0\r\n\r\n[Set]\r\n  AlwaysTop = 0  \r\n"
                 "foo = bar \r\n\r\n[Tail]\r\nx=1"},
        LoadCase{"KeysOutsideTheSection", "ShowInfo=1\n[Other]\nAlwaysTop=0\n[Set]\n", kLayout,
                 "ShowInfo=1\n[Other]\nAlwaysTop=0\n[Set]\n"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

struct ClickCase {
  const char* name;
  std::optional<std::string> before;
  std::vector<std::pair<OptionBox, bool>> clicks;
  std::string after;
};

class SaveSettingTest : public FormTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(SaveSettingTest, EachClickWritesOnlyItsKey) {
  const ClickCase& c = GetParam();
  if (c.before)
    WriteFileBytes(IniBeside(), *c.before);
  Created();

  for (const auto& [box, checked] : c.clicks)
    Click(box, checked);

  EXPECT_THAT(surface.errors, IsEmpty());
  EXPECT_EQ(ReadFileBytes(IniBeside()), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, SaveSettingTest,
    ::testing::Values(ClickCase{"FirstClickCreatesTheFile",
                                std::nullopt,
                                {{OptionBox::ShowInfo, true}},
                                "[Set]\nShowInfo=1\n"},
                      ClickCase{"KeysKeepTheOrderOfTheirFirstWriting",
                                std::nullopt,
                                {{OptionBox::ShowInfo, true},
                                 {OptionBox::AutoRefresh, true},
                                 {OptionBox::ShowLocal, false},
                                 {OptionBox::ShowInfo, false},
                                 {OptionBox::AlwaysTop, false}},
                                "[Set]\nShowInfo=0\nAutoRefresh=1\nShowLocal=0\nAlwaysTop=0\n"},
                      ClickCase{"NewKeyAfterLastLineWithoutNewline",
                                "[Set]\nfoo=bar",
                                {{OptionBox::ShowInfo, true}},
                                "[Set]\nfoo=bar\nShowInfo=1\n"},
                      ClickCase{"NewKeyAtEndOfItsSection",
                                "[Set]\r\nShowLocal=1\r\n\r\n[Next]\r\nB=2\r\n",
                                {{OptionBox::AutoRefresh, true}},
                                "[Set]\r\nShowLocal=1\r\nAutoRefresh=1\r\n\r\n[Next]\r\nB=2\r\n"},
                      ClickCase{"NewSectionAtEndOfFile",
                                "[Other]\nx=1\n",
                                {{OptionBox::AlwaysTop, false}},
                                "[Other]\nx=1\n[Set]\nAlwaysTop=0\n"},
                      ClickCase{"PresentKeyRewrittenInPlace",
                                "[Set]\nShowLocal=1\nAlwaysTop=yes\nShowInfo=0\n",
                                {{OptionBox::AlwaysTop, false}},
                                "[Set]\nShowLocal=1\nAlwaysTop=0\nShowInfo=0\n"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// ---- Where the file lives

using SettingsLocationTest = FormTest;

TEST_F(SettingsLocationTest, WritableProgramDirectoryKeepsTheFileBesideTheProgram) {
  Created();
  EXPECT_EQ(Form().SettingsFilePath(), IniBeside().string());
  Click(OptionBox::AutoRefresh, true);
  EXPECT_EQ(ReadFileBytes(IniBeside()), "[Set]\nAutoRefresh=1\n");
  EXPECT_FALSE(fs::exists(Root() / "config"));
}

TEST_F(SettingsLocationTest, ReadOnlyProgramDirectoryFallsBackToTheConfigDirectory) {
  fs::permissions(BinDir(), fs::perms::owner_read | fs::perms::owner_exec);
  if (DirectoryIsWritable(BinDir().string())) {
    GTEST_SKIP() << "this account writes into read-only directories (root)";
  }
  WriteFileBytes(IniInConfig(), "[Set]\nShowInfo=1\n");

  Form().FormCreate();

  EXPECT_EQ(Form().SettingsFilePath(), IniInConfig().string());
  EXPECT_TRUE(Form().OptionChecked(OptionBox::ShowInfo));
  Click(OptionBox::AlwaysTop, false);
  EXPECT_THAT(surface.errors, IsEmpty());
  EXPECT_EQ(ReadFileBytes(IniInConfig()), "[Set]\nShowInfo=1\nAlwaysTop=0\n");
  EXPECT_FALSE(fs::exists(IniBeside()));
}

TEST_F(SettingsLocationTest, ProgramDirectoryThatTakesNoFileFallsBackAndCreatesTheFolder) {
  // A program path whose directory does not exist cannot take a file, whoever runs the test.
  services.programFilePath = (Root() / "gone" / "halvane").string();
  Created();

  EXPECT_EQ(Form().SettingsFilePath(), IniInConfig().string());
  EXPECT_FALSE(fs::exists(Root() / "config"));  // nothing written yet
  Click(OptionBox::ShowInfo, true);
  EXPECT_THAT(surface.errors, IsEmpty());
  EXPECT_EQ(ReadFileBytes(IniInConfig()), "[Set]\nShowInfo=1\n");
}

TEST_F(SettingsLocationTest, FileAlreadyBesideTheProgramStaysInUse) {
  WriteFileBytes(IniBeside(), "[Set]\nAlwaysTop=0\n");
  fs::permissions(BinDir(), fs::perms::owner_read | fs::perms::owner_exec);
  WriteFileBytes(IniInConfig(), "[Set]\nShowInfo=1\n");

  Form().FormCreate();

  EXPECT_EQ(Form().SettingsFilePath(), IniBeside().string());
  EXPECT_FALSE(Form().OptionChecked(OptionBox::AlwaysTop));
  EXPECT_FALSE(Form().OptionChecked(OptionBox::ShowInfo));
}

// ---- Refused writes

struct RefusedCase {
  const char* name;
  OptionBox box;
  bool checked;
};

class RefusedWriteTest : public FormTest, public ::testing::WithParamInterface<RefusedCase> {
 protected:
  // The temporary file cannot be made: a folder of its name is in the way.
  void BlockWrites() {
    fs::create_directories(fs::path(IniFile(IniBeside().string()).TemporaryPath()) / "x");
  }
};

TEST_P(RefusedWriteTest, ClickKeepsTheNewStateButSkipsTheEffect) {
  const RefusedCase& c = GetParam();
  Created();
  BlockWrites();

  Click(c.box, c.checked);

  EXPECT_THAT(surface.errors, ElementsAre("Unable to write to " + IniBeside().string()));
  EXPECT_EQ(Form().OptionChecked(c.box), c.checked);
  EXPECT_EQ(Form().Mirror(c.box), c.checked);
  // The effect did not happen: no refresh, no timer, no topmost change, no columns.
  EXPECT_THAT(log, ElementsAre("ShowChecked " + std::to_string(static_cast<int>(c.box)) + " " +
                                   (c.checked ? "1" : "0"),
                               "Error Unable to write to " + IniBeside().string()));
  EXPECT_FALSE(Form().TimerRunning());
  EXPECT_TRUE(Form().Topmost());
  EXPECT_FALSE(Form().ColumnVisible(10));
  EXPECT_EQ(Form().VTS().RowCount(), 4u);
  EXPECT_FALSE(fs::exists(IniBeside()));
}

INSTANTIATE_TEST_SUITE_P(Boxes, RefusedWriteTest,
                         ::testing::Values(RefusedCase{"ShowLocal", OptionBox::ShowLocal, false},
                                           RefusedCase{"AutoRefresh", OptionBox::AutoRefresh, true},
                                           RefusedCase{"AlwaysTop", OptionBox::AlwaysTop, false},
                                           RefusedCase{"ShowInfo", OptionBox::ShowInfo, true}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(RefusedWriteTest, DuringCreationTheErrorIsDroppedAndLaterOptionsAreSkipped) {
  WriteFileBytes(IniBeside(), "[Set]\nShowLocal=0\nAutoRefresh=1\nShowInfo=1\n");
  BlockWrites();

  Form().FormCreate();

  EXPECT_THAT(surface.errors, IsEmpty());
  EXPECT_FALSE(Form().OptionChecked(OptionBox::ShowLocal));  // set before its save failed
  EXPECT_FALSE(Form().OptionChecked(OptionBox::AutoRefresh));
  EXPECT_FALSE(Form().OptionChecked(OptionBox::ShowInfo));
  EXPECT_FALSE(Form().TimerRunning());
  // The fill still runs and reads the box as it was left.
  EXPECT_THAT(RowNames(), ElementsAre("firefox", "sshd", "System"));
  EXPECT_FALSE(Form().Creating());
}

}  // namespace
}  // namespace halvane
