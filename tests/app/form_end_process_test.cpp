#include "app/system_program.h"
#include "form_fixture.h"

namespace halvane {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr const char* kAskEndSystem =
    "Ask 这是系统进程，结束该进程可能引起系统无法运行，仍要结束? icon=1 defaultNo=1";
constexpr const char* kCannotEnd = "Message 无法结束进程!";

// The log of the refresh that follows a successful end, without the auto refresh.
const std::vector<std::string> kRefresh = {"RefreshEnabled 0", "tcp table",  "udp table",
                                           "NetCount 3",       "AppCount 2", "ViewChanged",
                                           "RefreshEnabled 1", "FocusView"};

std::vector<std::string> Then(std::vector<std::string> first,
                              const std::vector<std::string>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

class EndProcessTest : public FormTest {
 protected:
  // Creates the window and focuses the process's row through its menu.
  void FocusOn(const std::string& processName) {
    Created();
    ListRow* row = RowOf(processName);
    ASSERT_NE(row, nullptr);
    Form().VTS().FocusRow(row);
    Form().VTSGetPopupMenu(row);
    log.clear();
  }

  // The command, then the merge of the refresh it asked for, if any.
  void EndProcess() {
    Form().HandleEvent([&] { Form().NEndProcClick(); });
    RunPosted();
  }

  // Ending a process takes its endpoints from the tables, as the system does.
  void RemoveEndpointsOf(std::uint32_t pid) {
    auto& tcp = services.tables.rows.tcp;
    tcp.erase(std::remove_if(tcp.begin(), tcp.end(), [&](const auto& r) { return r.pid == pid; }),
              tcp.end());
    auto& udp = services.tables.rows.udp;
    udp.erase(std::remove_if(udp.begin(), udp.end(), [&](const auto& r) { return r.pid == pid; }),
              udp.end());
  }
};

TEST_F(EndProcessTest, ARowWithoutAProgramFileIsASystemProcessThatCannotBeEnded) {
  FocusOn("System");
  EndProcess();
  EXPECT_THAT(log, ElementsAre("Message 系统进程，不能结束。"));
  EXPECT_THAT(services.ended, IsEmpty());
}

TEST_F(EndProcessTest, AnOrdinaryProgramEndsWithoutAQuestionAndTheListRefreshesAtOnce) {
  FocusOn("firefox");
  services.onEnded = [&](std::uint32_t pid) { RemoveEndpointsOf(pid); };

  EndProcess();

  EXPECT_THAT(log, ElementsAreArray(Then({"Terminate 1400 /usr/lib/firefox/firefox"}, kRefresh)));
  EXPECT_EQ(RowOf("firefox"), nullptr);
}

TEST_F(EndProcessTest, ASystemProgramIsEndedOnlyAfterYes) {
  FocusOn("sshd");
  surface.answerYes = true;
  services.onEnded = [&](std::uint32_t pid) { RemoveEndpointsOf(pid); };

  EndProcess();

  EXPECT_THAT(log,
              ElementsAreArray(Then({kAskEndSystem, "Terminate 1200 /usr/sbin/sshd"}, kRefresh)));
  EXPECT_EQ(RowOf("sshd"), nullptr);
}

TEST_F(EndProcessTest, NoToTheQuestionEndsNothingAndDoesNotRefresh) {
  FocusOn("sshd");
  surface.answerYes = false;

  EndProcess();

  EXPECT_THAT(log, ElementsAre(kAskEndSystem));
  EXPECT_THAT(services.ended, IsEmpty());
}

TEST_F(EndProcessTest, AProcessThatCannotBeReachedGivesTheMessageAndNoRefresh) {
  FocusOn("firefox");
  services.terminateResult = TerminateResult::CannotEnd;

  EndProcess();

  EXPECT_THAT(log, ElementsAre("Terminate 1400 /usr/lib/firefox/firefox", kCannotEnd));
}

TEST_F(EndProcessTest, APidNowRunningAnotherProgramIsLeftAlone) {
  FocusOn("firefox");
  services.runningPrograms = {{1400, "/usr/bin/some-other-program"}};

  EndProcess();

  EXPECT_THAT(log, ElementsAre("Terminate 1400 /usr/lib/firefox/firefox", kCannotEnd));
  EXPECT_THAT(services.ended, IsEmpty());
}

TEST_F(EndProcessTest, TheRowFreedByATimerRefreshWhileAskingIsNotReadAgain) {
  FocusOn("sshd");
  surface.answerYes = true;
  surface.whileAsking = [&] {
    RemoveEndpointsOf(1200);  // sshd went on its own; the tick's refresh frees its row
    Form().Timer1Timer();
    RunPosted();  // the question's own message loop merges the tick's read
  };
  services.runningPrograms = {{1200, "/usr/sbin/sshd"}};

  EndProcess();

  // The PID and path were taken before the question.
  EXPECT_THAT(services.ended, ElementsAre(1200u));
  EXPECT_EQ(Count("Terminate 1200 /usr/sbin/sshd"), 1);
  EXPECT_EQ(RowOf("sshd"), nullptr);
  EXPECT_EQ(Count("tcp table"), 2);  // the tick's refresh, then the command's
  EXPECT_THAT(surface.errors, IsEmpty());
}

TEST_F(EndProcessTest, APidTextThatIsNoNumberEndsTheCommandInTheErrorBox) {
  FocusOn("firefox");
  RowOf("firefox")->record.PID = "14x0";

  EndProcess();

  EXPECT_THAT(log, ElementsAre("Error '14x0' is not a valid integer value"));
  EXPECT_THAT(services.ended, IsEmpty());
}

TEST_F(EndProcessTest, TheSystemProgramDirectoriesAreTakenUpperCasedAtCreation) {
  Created();
  EXPECT_THAT(Form().SysProgramDirsUpper(),
              ElementsAre("/USR/SBIN", "/SBIN", "/USR/LIB/SYSTEMD", "/LIB/SYSTEMD"));
  EXPECT_EQ(Form().SysDirUpper(), "/USR/LIB/X86_64-LINUX-GNU");
}

struct SystemPathCase {
  const char* path;
  bool asks;
};

void PrintTo(const SystemPathCase& c, std::ostream* out) {
  *out << c.path;
}

class SystemPathTest : public EndProcessTest,
                       public ::testing::WithParamInterface<SystemPathCase> {};

TEST_P(SystemPathTest, AsksExactlyForProgramsUnderASystemDirectory) {
  services.identity.paths[1400] = GetParam().path;
  FocusOn("firefox");
  surface.answerYes = false;

  EndProcess();

  if (GetParam().asks) {
    EXPECT_THAT(log, ElementsAre(kAskEndSystem));
  } else {
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "Terminate 1400 " + std::string(GetParam().path));
    EXPECT_EQ(Count(kAskEndSystem), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SystemPathTest,
    ::testing::Values(SystemPathCase{"/usr/sbin/cupsd", true}, SystemPathCase{"/USR/SBIN/x", true},
                      SystemPathCase{"/Usr/Lib/Systemd/systemd-resolved", true},
                      SystemPathCase{"/lib/systemd/systemd-udevd", true},
                      SystemPathCase{"/sbin/dhclient", true},
                      // anywhere in the path, also as the first part of a longer folder name
                      SystemPathCase{"/opt/chroot/usr/sbin/ntpd", true},
                      SystemPathCase{"/home/u/sbintools/run", true},
                      // the system directory the system reports
                      SystemPathCase{"/usr/LIB/x86_64-linux-gnu/helper", true},
                      SystemPathCase{"/usr/bin/firefox", false},
                      SystemPathCase{"/usr/lib/firefox/firefox", false},
                      SystemPathCase{"/home/u/s bin/run", false}));

TEST_F(EndProcessTest, EmptySystemDirectoriesMatchNothing) {
  services.systemDirectory = "";
  services.systemProgramDirectories = {""};
  FocusOn("sshd");

  EndProcess();

  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "Terminate 1200 /usr/sbin/sshd");
  EXPECT_EQ(Count(kAskEndSystem), 0);
}

TEST(IsSystemProgramTest, FoldsOnlyAsciiLettersOfThePath) {
  EXPECT_TRUE(IsSystemProgram("c:\\windows\\system32\\svchost.exe", {"C:\\WINDOWS\\SYSTEM32"}));
  EXPECT_FALSE(IsSystemProgram("/usr/sbin/x", {"/usr/sbin"}));  // the directories come upper-cased
  EXPECT_FALSE(IsSystemProgram("/Ü/x", {"/ü"}));
  EXPECT_EQ(AsciiUpper("/usr/lib/ä-z"), "/USR/LIB/ä-Z");
  EXPECT_FALSE(IsSystemProgram("/usr/bin/ls", {}));
  EXPECT_FALSE(IsSystemProgram("/usr/bin/ls", {""}));
}

}  // namespace
}  // namespace halvane
