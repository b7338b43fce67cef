#include "app/app_urls.h"
#include "form_fixture.h"

namespace halvane {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kSeparator =
    "\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80"
    "\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2"
    "\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95\xE2\x80\x95";

class RowCommandsTest : public FormTest {
 protected:
  RowCommandsTest() {
    // One program whose only endpoint is UDP, beside the standard rows.
    services.tables.rows.udp.push_back(fakes::Udp("0.0.0.0", 5353, 900));
    services.identity.AddProcess(900, "avahi-daemon", "/opt/avahi/avahi-daemon", "mDNS responder",
                                 "Avahi");
  }

  // The row focused and the row menu prepared for it, as a right click does.
  void OpenMenuOn(const std::string& processName) {
    ListRow* row = RowOf(processName);
    ASSERT_NE(row, nullptr) << processName;
    Form().VTS().SelectRow(row);
    Form().VTS().FocusRow(row);
    ASSERT_TRUE(Form().VTSGetPopupMenu(row));
  }

  // The command, delivered as the front end does, then what it posted (a refresh's merge).
  void Run(void (TFormNetrova::*handler)()) {
    Form().HandleEvent([&] { (Form().*handler)(); });
    RunPosted();
  }

  std::vector<std::string> Entries(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& entry : log) {
      if (entry.rfind(prefix, 0) == 0)
        found.push_back(entry);
    }
    return found;
  }

  static std::string Report(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
      text += line + "\r\n";
    return text;
  }
};

// ---- Copy

TEST_F(RowCommandsTest, CopyPutsTheFourteenLineReportOfATcpRowOnTheClipboard) {
  Created();
  OpenMenuOn("firefox");
  log.clear();

  Run(&TFormNetrova::NCopyClick);

  EXPECT_THAT(log, ElementsAre("Clipboard"));
  EXPECT_EQ(services.clipboard, Report({kSeparator, "程序名称:firefox", "程序说明:Firefox",
                                        "路径:/usr/lib/firefox/firefox", "PID:1400", "网络协议:TCP",
                                        "本机地址:192.168.1.5", "本地端口:50000",
                                        "目标地址:93.184.216.34", "目标端口:443", "状态:已建立",
                                        "生成:Halvane", "主页:" + DefaultHomeUrl(), kSeparator}));
}

TEST_F(RowCommandsTest, CopyOfAUdpRowEndsItsTargetAndStateLinesAtTheLabels) {
  Created();
  OpenMenuOn("avahi-daemon");

  Run(&TFormNetrova::NCopyClick);

  const std::string expected =
      std::string(kSeparator) +
      "\r\n程序名称:avahi-daemon\r\n程序说明:mDNS responder\r\n路径:/opt/avahi/avahi-daemon\r\n"
      "PID:900\r\n网络协议:UDP\r\n本机地址:0.0.0.0\r\n本地端口:5353\r\n目标地址:\r\n"
      "目标端口:\r\n状态:\r\n生成:Halvane\r\n主页:" +
      DefaultHomeUrl() + "\r\n" + kSeparator + "\r\n";
  EXPECT_EQ(services.clipboard, expected);
}

TEST_F(RowCommandsTest, TheReportHasFourteenLinesEndingInCrLfAndAFixedHomeAddress) {
  Created();
  OpenMenuOn("System");  // a path-less row: NCopy stays enabled, every line is written

  Run(&TFormNetrova::NCopyClick);

  const std::string& text = services.clipboard;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 14);
  EXPECT_TRUE(text.ends_with(std::string(kSeparator) + "\r\n"));
  EXPECT_THAT(text, HasSubstr("\r\n路径:\r\n"));
  // The address is the built-in one, not the home page the window was given.
  EXPECT_THAT(text, HasSubstr("\r\n主页:" + DefaultHomeUrl() + "\r\n"));
  EXPECT_EQ(text.find(kHomeUrl), std::string::npos);
}

// ---- No focused row

TEST_F(RowCommandsTest, WithoutAFocusedRowNoCommandDoesAnything) {
  Created();
  Form().VTS().FocusRow(nullptr);
  services.regularFiles = {"/usr/lib/firefox/firefox"};
  for (auto handler :
       {&TFormNetrova::NProcInfoClick, &TFormNetrova::NEndProcClick, &TFormNetrova::NCopyClick,
        &TFormNetrova::NLocateClick, &TFormNetrova::NPropertyClick, &TFormNetrova::VTSDblClick,
        &TFormNetrova::BTNEndProClick})
    Run(handler);
  EXPECT_THAT(log, IsEmpty());
}

// ---- Locate and properties

TEST_F(RowCommandsTest, LocateShowsAnExistingProgramFileInTheFileManager) {
  Created();
  services.regularFiles = {"/usr/lib/firefox/firefox"};
  OpenMenuOn("firefox");
  log.clear();

  Run(&TFormNetrova::NLocateClick);

  EXPECT_THAT(log, ElementsAre("ShowInFileManager /usr/lib/firefox/firefox"));
}

TEST_F(RowCommandsTest, LocateOfAMissingFileOrADirectoryDoesNothing) {
  Created();
  services.regularFiles = {};  // deleted since the refresh, or a directory of that name
  OpenMenuOn("firefox");
  log.clear();

  Run(&TFormNetrova::NLocateClick);

  EXPECT_THAT(log, IsEmpty());
}

TEST_F(RowCommandsTest, PropertiesShowTheProgramFileAsTheFilePathColumnHasIt) {
  Created();
  OpenMenuOn("postgres");
  log.clear();

  Run(&TFormNetrova::NPropertyClick);

  EXPECT_THAT(log, ElementsAre("ShowFileProperties /usr/lib/postgresql/bin/postgres"));
}

// ---- Details

TEST_F(RowCommandsTest, DetailsFillTheDialogInOrderThenShowItAndFreeItOnClose) {
  systemIcons.indexes["/usr/lib/firefox/firefox"] = 42;
  Created();
  OpenMenuOn("firefox");
  log.clear();

  Run(&TFormNetrova::NProcInfoClick);

  EXPECT_THAT(
      log, ElementsAre("ProcInfo#1 created", "ProcInfo LabExe [firefox]",
                       "ProcInfo LabExeDes [Firefox  ]", "ProcInfo LabPID [PID:1400]",
                       "ProcInfo Labcomp [Mozilla ]", "ProcInfo EPath [/usr/lib/firefox/firefox]",
                       "ProcInfo Icon 0 at 1,1", "ProcInfo#1 ShowModal",
                       "ProcInfo#1 closed, action 2", "ProcInfo#1 freed"));
  // The icon came from the 32 x 32 list, copied out of the large system list.
  EXPECT_THAT(largeImages.added, ElementsAre(42));
  EXPECT_THAT(smallImages.added, IsEmpty());
  EXPECT_FALSE(Form().LargeIcons().UsesSmallSystemList());
}

TEST_F(RowCommandsTest, DetailsOfAFileWithoutAnIconDrawNoImage) {
  Created();
  OpenMenuOn("postgres");
  log.clear();

  Run(&TFormNetrova::NProcInfoClick);

  EXPECT_THAT(Entries("ProcInfo Icon"), ElementsAre("ProcInfo Icon -1 at 1,1"));
  EXPECT_THAT(Entries("ProcInfo Labcomp"), ElementsAre("ProcInfo Labcomp [ ]"));
  EXPECT_THAT(Entries("ProcInfo LabExeDes"), ElementsAre("ProcInfo LabExeDes [  ]"));
}

TEST_F(RowCommandsTest, TwoRequestsMakeTwoDialogsOneAfterTheOther) {
  Created();
  OpenMenuOn("sshd");
  log.clear();

  Run(&TFormNetrova::NProcInfoClick);
  Run(&TFormNetrova::NProcInfoClick);

  EXPECT_THAT(Entries("ProcInfo#"), ElementsAre("ProcInfo#1 created", "ProcInfo#1 ShowModal",
                                                "ProcInfo#1 closed, action 2", "ProcInfo#1 freed",
                                                "ProcInfo#2 created", "ProcInfo#2 ShowModal",
                                                "ProcInfo#2 closed, action 2", "ProcInfo#2 freed"));
}

TEST_F(RowCommandsTest, ARefreshWhileTheDialogIsOpenLeavesItsTextsAlone) {
  Created();
  OpenMenuOn("firefox");
  std::vector<std::string> shown;
  surface.whileDetailsOpen = [&](TFormProcInfo& dialog) {
    services.tables.rows.tcp.pop_back();  // the firefox connection goes, and its row with it
    Form().Timer1Timer();
    RunPosted();  // the dialog's message loop merges the tick's read
    shown = {dialog.LabExe(), dialog.LabExeDes(), dialog.LabPID(), dialog.Labcomp(),
             dialog.EPath()};
    dialog.BTNOKClick();
  };

  Run(&TFormNetrova::NProcInfoClick);

  EXPECT_EQ(RowOf("firefox"), nullptr);
  EXPECT_THAT(shown, ElementsAre("firefox", "Firefox  ", "PID:1400", "Mozilla ",
                                 "/usr/lib/firefox/firefox"));
  EXPECT_EQ(Count("ProcInfo#1 freed"), 1);
}

TEST_F(RowCommandsTest, TheLocateLinkShowsTheFileWithoutLookingForIt) {
  Created();
  OpenMenuOn("firefox");
  services.regularFiles = {};  // deleted meanwhile
  surface.whileDetailsOpen = [&](TFormProcInfo& dialog) {
    dialog.HandleEvent([&] { dialog.LabLocateClick(); });
  };
  log.clear();

  Run(&TFormNetrova::NProcInfoClick);

  EXPECT_THAT(Entries("ShowInFileManager"),
              ElementsAre("ShowInFileManager /usr/lib/firefox/firefox"));
}

TEST_F(RowCommandsTest, DetailsOfARowWithoutAProgramFileShowNothing) {
  Created();
  OpenMenuOn("sshd");  // the menu is left enabled...
  ListRow* system = RowOf("System");
  Form().VTS().FocusRow(system);  // ...and the path-less row focused
  log.clear();

  Run(&TFormNetrova::VTSDblClick);
  Run(&TFormNetrova::NProcInfoClick);

  EXPECT_THAT(log, IsEmpty());
}

TEST_F(RowCommandsTest, AFrontEndWithoutTheDialogShowsNoDetails) {
  surface.hasProcInfoDialog = false;
  Created();
  OpenMenuOn("sshd");
  log.clear();

  Run(&TFormNetrova::NProcInfoClick);

  EXPECT_THAT(log, IsEmpty());
  EXPECT_THAT(surface.errors, IsEmpty());
}

// ---- The second ways in follow the last menu preparation

struct SecondWayCase {
  const char* name;
  const char* menuPreparedOn;
  const char* focusedNow;
  bool runs;
};

void PrintTo(const SecondWayCase& c, std::ostream* out) {
  *out << c.name;
}

class SecondWayTest : public RowCommandsTest, public ::testing::WithParamInterface<SecondWayCase> {
 protected:
  void Prepare() {
    Created();
    OpenMenuOn(GetParam().menuPreparedOn);
    Form().VTS().FocusRow(RowOf(GetParam().focusedNow));
    log.clear();
  }
};

TEST_P(SecondWayTest, DoubleClickShowsDetailsOnlyWhileNProcInfoIsEnabled) {
  Prepare();
  Run(&TFormNetrova::VTSDblClick);
  EXPECT_EQ(Count("ProcInfo#1 ShowModal"), GetParam().runs ? 1 : 0);
  if (!GetParam().runs) {
    EXPECT_THAT(log, IsEmpty());
  }
}

TEST_P(SecondWayTest, EndProcessButtonEndsOnlyWhileNEndProcIsEnabled) {
  Prepare();
  Run(&TFormNetrova::BTNEndProClick);
  EXPECT_EQ(Entries("Terminate").size(), GetParam().runs ? 1u : 0u);
  if (!GetParam().runs) {
    EXPECT_THAT(log, IsEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecondWayTest,
    ::testing::Values(SecondWayCase{"MenuOpenedOnTheFocusedRow", "firefox", "firefox", true},
                      SecondWayCase{"MenuOpenedOnARowWithAPath", "firefox", "postgres", true},
                      SecondWayCase{"MenuOpenedOnAPathlessRowThenAnotherRowFocused", "System",
                                    "firefox", false},
                      SecondWayCase{"MenuOpenedOnAPathlessRow", "System", "System", false}),
    [](const ::testing::TestParamInfo<SecondWayCase>& param) {
      return std::string(param.param.name);
    });

TEST_F(RowCommandsTest, TheItemsAreEnabledWhenTheWindowIsCreated) {
  Created();
  Form().VTS().FocusRow(RowOf("postgres"));
  log.clear();

  Run(&TFormNetrova::BTNEndProClick);

  EXPECT_THAT(Entries("Terminate"), ElementsAre("Terminate 1300 /usr/lib/postgresql/bin/postgres"));
}

TEST_F(RowCommandsTest, AMenuOpenedOnARowWithAPathEnablesTheSecondWaysAgain) {
  Created();
  OpenMenuOn("System");
  OpenMenuOn("firefox");
  log.clear();

  Run(&TFormNetrova::BTNEndProClick);

  EXPECT_THAT(Entries("Terminate"), ElementsAre("Terminate 1400 /usr/lib/firefox/firefox"));
}

}  // namespace
}  // namespace halvane
