#include "ui/qt/file_manager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "ui/qt/linux_app_services.h"

namespace halvane {
namespace {

constexpr int kBusWaitMs = 20000;  // only an upper bound: every wait ends on its event

// A session bus of the test's own: a dbus-daemon on a socket in a temporary directory.
class PrivateBus {
 public:
  PrivateBus() {
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty() || !dir_.isValid())
      return;
    const QString config = dir_.filePath(QStringLiteral("session.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
      return;
    file.write(QStringLiteral(
                   "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                   "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                   "<auth>EXTERNAL</auth><policy context=\"default\">"
                   "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                   "<allow own=\"*\"/></policy></busconfig>\n")
                   .arg(dir_.path())
                   .toUtf8());
    file.close();
    daemon_.start(daemon, {QStringLiteral("--config-file=") + config,
                           QStringLiteral("--print-address"), QStringLiteral("--nofork")});
    if (!daemon_.waitForStarted(kBusWaitMs))
      return;
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(kBusWaitMs)) {
    }
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
  }

  ~PrivateBus() {
    for (const QString& name : names_)
      QDBusConnection::disconnectFromBus(name);
    if (daemon_.state() != QProcess::NotRunning) {
      daemon_.kill();
      daemon_.waitForFinished(kBusWaitMs);
    }
  }

  bool IsRunning() const { return !address_.isEmpty(); }
  static bool DaemonInstalled() {
    return !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty();
  }

  // A new connection to the bus under its own name.
  QDBusConnection Connect(const QString& name) {
    names_ << name;
    return QDBusConnection::connectToBus(address_, name);
  }

 private:
  QTemporaryDir dir_;
  QProcess daemon_;
  QString address_;
  QStringList names_;
};

// A file manager on the bus: it records each call of its interface and answers it, with an
// error while `failing` is set.
class FakeFileManager : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override {
    return QStringLiteral(
        "<interface name=\"org.freedesktop.FileManager1\">"
        "<method name=\"ShowItems\"><arg type=\"as\" direction=\"in\"/>"
        "<arg type=\"s\" direction=\"in\"/></method>"
        "<method name=\"ShowItemProperties\"><arg type=\"as\" direction=\"in\"/>"
        "<arg type=\"s\" direction=\"in\"/></method></interface>");
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.interface() != QLatin1String(DesktopFileManager::kInterface))
      return false;
    const QList<QVariant> args = message.arguments();
    QString call = message.member();
    if (args.size() == 2)
      call += QStringLiteral(" [") + args[0].toStringList().join(QLatin1Char('|')) +
              QStringLiteral("] [") + args[1].toString() + QStringLiteral("]");
    calls << call;
    connection.send(failing ? message.createErrorReply(QStringLiteral("org.example.Error.Failed"),
                                                       QStringLiteral("cannot show it"))
                            : message.createReply());
    return true;
  }

  QStringList calls;
  bool failing = false;
};

class FileManagerBusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!PrivateBus::DaemonInstalled())
      GTEST_SKIP() << "dbus-daemon is not installed; these tests start a private session bus";
    ASSERT_TRUE(bus_.IsRunning()) << "the private session bus did not start";
    client_ = bus_.Connect(QStringLiteral("halvane-test-client"));
    ASSERT_TRUE(client_.isConnected());
  }

  void StartFileManager() {
    service_ = bus_.Connect(QStringLiteral("halvane-test-file-manager"));
    ASSERT_TRUE(service_.isConnected());
    ASSERT_TRUE(
        service_.registerVirtualObject(QLatin1String(DesktopFileManager::kPath), &fileManager_));
    ASSERT_TRUE(service_.registerService(QLatin1String(DesktopFileManager::kService)));
  }

  DesktopFileManager Manager() {
    return DesktopFileManager(client_, [this](const QUrl& folder) { opened << folder; });
  }

  bool WaitFor(const std::function<bool()>& done) { return QTest::qWaitFor(done, kBusWaitMs); }

  PrivateBus bus_;
  QDBusConnection client_{QStringLiteral("unset")};
  QDBusConnection service_{QStringLiteral("unset")};
  FakeFileManager fileManager_;
  QList<QUrl> opened;
};

TEST_F(FileManagerBusTest, ShowItemsAndShowItemPropertiesReceiveTheFileUri) {
  StartFileManager();
  DesktopFileManager manager = Manager();

  manager.ShowItems("/usr/lib/firefox/firefox");
  manager.ShowItemProperties("/opt/my app/程序#1%");

  ASSERT_TRUE(WaitFor([&] { return fileManager_.calls.size() == 2; }));
  EXPECT_EQ(fileManager_.calls,
            (QStringList{"ShowItems [file:///usr/lib/firefox/firefox] []",
                         "ShowItemProperties [file:///opt/my%20app/%E7%A8%8B%E5%BA%8F%231%25] "
                         "[]"}));
  // Both were answered: no folder was opened instead.
  QTest::qWait(0);
  EXPECT_TRUE(opened.isEmpty());
}

TEST_F(FileManagerBusTest, TheLinuxServicesLocateAndShowPropertiesThroughTheFileManager) {
  StartFileManager();
  LinuxAppServices services(Manager());

  services.ShowInFileManager("/usr/bin/env");
  services.ShowFileProperties("/usr/bin/env");

  ASSERT_TRUE(WaitFor([&] { return fileManager_.calls.size() == 2; }));
  EXPECT_EQ(fileManager_.calls, (QStringList{"ShowItems [file:///usr/bin/env] []",
                                             "ShowItemProperties [file:///usr/bin/env] []"}));
}

TEST_F(FileManagerBusTest, WithoutAFileManagerOnTheBusTheFolderOpens) {
  DesktopFileManager manager = Manager();

  manager.ShowItems("/usr/lib/firefox/firefox");
  manager.ShowItemProperties("/opt/my app/tool");

  ASSERT_TRUE(WaitFor([&] { return opened.size() == 2; }));
  EXPECT_EQ(opened, (QList<QUrl>{QUrl::fromLocalFile("/usr/lib/firefox"),
                                 QUrl::fromLocalFile("/opt/my app")}));
}

TEST_F(FileManagerBusTest, AFileManagerThatAnswersWithAnErrorFallsBackToo) {
  StartFileManager();
  fileManager_.failing = true;
  DesktopFileManager manager = Manager();

  manager.ShowItems("/usr/bin/env");

  ASSERT_TRUE(WaitFor([&] { return opened.size() == 1; }));
  EXPECT_EQ(fileManager_.calls.size(), 1);
  EXPECT_EQ(opened.front(), QUrl::fromLocalFile("/usr/bin"));
}

TEST(FileManagerTest, WithoutABusTheFolderOpensAtOnce) {
  QList<QUrl> opened;
  DesktopFileManager manager(QDBusConnection(QStringLiteral("no-such-connection")),
                             [&](const QUrl& folder) { opened << folder; });

  manager.ShowItems("/usr/bin/env");
  manager.ShowItemProperties("/srv/data/report.txt");
  manager.ShowItems("");  // nothing to show

  EXPECT_EQ(opened,
            (QList<QUrl>{QUrl::fromLocalFile("/usr/bin"), QUrl::fromLocalFile("/srv/data")}));
}

TEST(FileManagerTest, FileUrisArePercentEncoded) {
  EXPECT_EQ(DesktopFileManager::FileUri("/usr/bin/env"), "file:///usr/bin/env");
  EXPECT_EQ(DesktopFileManager::FileUri("/a b/ü?#%"), "file:///a%20b/%C3%BC%3F%23%25");
}

}  // namespace
}  // namespace halvane
