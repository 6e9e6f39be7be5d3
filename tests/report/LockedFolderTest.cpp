#include "report/ReportLog.h"
#include "settings/RCLIni.h"
#include "settings/WholeFile.h"
#include "ui/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

// A station folder where the operator may write Conf.ini, report.log and the
// logs but not create or remove files: all are still written whole, in place. Permissions do not bind
// root, so as root the test runs itself again as nobody.
namespace {

constexpr char FolderVariable[] = "QUAVERON_LOCKED_FOLDER";

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes, mode_t mode) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// "station" with a writable Conf.ini and report.log, and "empty" without them,
// neither taking new files from anyone but root.
void makeLockedFolders(const QString& base) {
    for (const char* name : {"station", "empty"})
        ASSERT_TRUE(QDir(base).mkdir(QString::fromLatin1(name)));
    writeFile(base + "/station/Conf.ini", "[LINGUA]\r\nLingua=1\r\n", 0666);
    writeFile(base + "/station/report.log", QByteArray(400, 'x'), 0666);
    writeFile(base + "/station/gas.log", "old values\r\n", 0666);
    for (const char* name : {"station", "empty"})
        ASSERT_EQ(::chmod(QFile::encodeName(base + "/" + name).constData(), 0555), 0);
}

bool setConf(const QString& folder, const QString& key, const QString& value) {
    RCLIni ini;
    ini.File = folder + "/Conf.ini";
    ini.Section = QStringLiteral("PORTE");
    ini.key = key;
    ini.Value = value;
    return ini.SetValue();
}

// The checks, made by a user that may not create files in the folders.
void writeInLockedFolders(const QString& base) {
    const QString station = base + "/station";
    QFile probe(station + "/probe");
    ASSERT_FALSE(probe.open(QIODevice::WriteOnly)) << "the folder takes new files: permissions do not apply";

    ui::Paths::setProgramDirectory(station);
    ASSERT_TRUE(WriteReportLines({"Title=REFERTO", "Result=PROVA SUPERATA"}));
    EXPECT_EQ(readAll(station + "/report.log"), "Title=REFERTO\r\nResult=PROVA SUPERATA\r\n"); // old tail cut
    ASSERT_TRUE(setConf(station, "COM3", "/dev/ttyUSB0"));
    ASSERT_TRUE(setConf(station, "COM2", "/dev/ttyUSB1"));
    EXPECT_EQ(readAll(station + "/Conf.ini"),
              "[LINGUA]\r\nLingua=1\r\n[PORTE]\r\nCOM3=/dev/ttyUSB0\r\nCOM2=/dev/ttyUSB1\r\n");
    // A log started anew is emptied where it cannot be removed.
    EXPECT_TRUE(settings::discardFile(station + "/gas.log"));
    EXPECT_EQ(readAll(station + "/gas.log"), "");
    EXPECT_EQ(QDir(station).entryList(QDir::Files | QDir::Hidden), QStringList({"Conf.ini", "gas.log", "report.log"}));

    // A file that is not there cannot be made either: the operator is told.
    ui::Paths::setProgramDirectory(base + "/empty");
    EXPECT_FALSE(WriteReportLines({"Title=REFERTO"}));
    EXPECT_FALSE(setConf(base + "/empty", "COM3", "/dev/ttyUSB0"));
    ui::Paths::setProgramDirectory(QString());
}

} // namespace

TEST(LockedFolderTest, ConfIniAndReportLogAreWrittenInPlaceWhereNoFileCanBeCreated) {
    const QString given = qEnvironmentVariable(FolderVariable);
    if (!given.isEmpty()) { // the run as nobody
        writeInLockedFolders(given);
        return;
    }
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    makeLockedFolders(base.path());
    if (::geteuid() != 0) {
        writeInLockedFolders(base.path());
    } else {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody)
            GTEST_SKIP() << "running as root and there is no user nobody to run as";
        // A copy of this binary nobody can reach, whatever folder the build is in.
        ASSERT_EQ(::chmod(QFile::encodeName(base.path()).constData(), 0755), 0);
        const QString binary = base.path() + "/locked-folder-test";
        ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), binary));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(FolderVariable, base.path());
        QProcess run;
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start("setpriv",
                  {"--reuid=" + QString::number(nobody->pw_uid), "--regid=" + QString::number(nobody->pw_gid),
                   "--clear-groups", binary, "--gtest_filter=LockedFolderTest.*"});
        ASSERT_TRUE(run.waitForFinished(120000)) << "setpriv did not finish";
        const QByteArray output = run.readAll();
        EXPECT_EQ(run.exitCode(), 0) << output.constData();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.constData();
    }
    // Seen from outside as well.
    EXPECT_EQ(readAll(base.path() + "/station/report.log"), "Title=REFERTO\r\nResult=PROVA SUPERATA\r\n");
    EXPECT_TRUE(readAll(base.path() + "/station/Conf.ini").endsWith("COM2=/dev/ttyUSB1\r\n"));
    for (const char* name : {"station", "empty"}) // so the folder can be removed
        ::chmod(QFile::encodeName(base.path() + "/" + name).constData(), 0755);
}
