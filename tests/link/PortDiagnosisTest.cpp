#include "PseudoTerminal.h"

#include "lang/LanguageTexts.h"
#include "link/PortOpening.h"
#include "link/QtSerialPort.h"
#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QFile>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

constexpr int ComNumber = 5;

// The message a measuring window shows when COM5 will not open.
QString openFailureMessage(const Globals& g) {
    QtSerialPort port;
    RecordingDialogs dialogs;
    if (OpenInstrumentPort(port, ComNumber, QStringLiteral("9600,n,8,1"), g, dialogs) || dialogs.shown.size() != 1)
        return QStringLiteral("<opened>");
    return dialogs.shown[0].text;
}

// The same, tried by the unprivileged user `nobody` in a child process: the
// tests run as root, who may open any device.
QString openFailureMessageAsNobody(const Globals& g) {
    const struct passwd* nobody = ::getpwnam("nobody");
    if (!nobody)
        return QStringLiteral("<no user nobody>");
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return QStringLiteral("<no pipe>");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
            ::_exit(2);
        const QByteArray text = openFailureMessage(g).toUtf8();
        const bool written = ::write(pipeEnds[1], text.constData(), static_cast<size_t>(text.size())) == text.size();
        ::_exit(written ? 0 : 3);
    }
    ::close(pipeEnds[1]);
    QByteArray text;
    char chunk[512];
    for (ssize_t n; (n = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, n);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? QString::fromUtf8(text) : QStringLiteral("<child failed>");
}

QString groupOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    const struct group* entry = ::getgrgid(info.st_gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(info.st_gid);
}

} // namespace

class PortDiagnosisTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        installLanguageFile();
    }
    void mapComPort(const QString& device) {
        writeBytes(workFile("Conf.ini"), "[PORTE]\r\nCOM5=" + QFile::encodeName(device) + "\r\n");
    }
};

TEST_F(PortDiagnosisTest, APortThatWillNotOpenSaysWhyInTheOperatorsLanguage) {
    PseudoTerminal held;
    PseudoTerminal locked;
    ASSERT_TRUE(held.isValid() && locked.isValid());
    // Another program has this one open.
    QtSerialPort holder;
    holder.setCommPort(ComNumber);
    writeBytes(workFile("Conf.ini"), "[PORTE]\r\nCOM5=" + QFile::encodeName(held.slavePath()) + "\r\n");
    ASSERT_TRUE(holder.setPortOpen(true));
    // This one only its owner and group may use, as a serial port in group dialout.
    const struct group* dialout = ::getgrnam("dialout");
    const QByteArray lockedPath = QFile::encodeName(locked.slavePath());
    ASSERT_EQ(::chown(lockedPath.constData(), 0, dialout ? dialout->gr_gid : 0), 0);
    ASSERT_EQ(::chmod(lockedPath.constData(), 0660), 0);
    // The child reads Conf.ini from the working directory.
    QFile::setPermissions(work.path(), QFile::permissions(work.path()) | QFile::ReadOther | QFile::ExeOther);

    struct Case {
        const char* name;
        QString device;
        int language; // 1 Italian, 2 English, 3 Spanish
        bool asNobody;
        QString expected; // the line after "COM5 <cannot open>"
    };
    const QString missing = work.path() + "/no/such/tty";
    const QString unplugged = QStringLiteral("/dev/serial/by-id/usb-Quaveron_Gone_0000-if00-port0");
    const QString group = groupOf(locked.slavePath());
    const Case cases[] = {
        {"missing device", missing, 1, false, missing + ": il dispositivo non esiste."},
        {"missing device", missing, 2, false, missing + ": no such device."},
        {"unplugged adapter", unplugged, 2, false, unplugged + ": the device is not present (adapter unplugged?)."},
        {"unplugged adapter", unplugged, 3, false,
         unplugged + ": el dispositivo no está presente (¿adaptador desconectado?)."},
        {"busy device", held.slavePath(), 1, false,
         held.slavePath() + ": il dispositivo è occupato da un altro programma."},
        {"busy device", held.slavePath(), 3, false,
         held.slavePath() + ": el dispositivo está ocupado por otro programa."},
        {"permission denied", locked.slavePath(), 2, true,
         locked.slavePath() + ": permission denied. The device belongs to group " + group +
             "; add the user with: sudo usermod -aG " + group + " nobody (then log out and in again)."},
        {"permission denied", locked.slavePath(), 1, true,
         locked.slavePath() + ": permesso negato. Il dispositivo appartiene al gruppo " + group +
             "; aggiungere l'utente con: sudo usermod -aG " + group + " nobody (poi uscire e rientrare)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " in language " + std::to_string(c.language));
        Globals g;
        LoadLanguageTexts(g, c.language);
        mapComPort(c.device);
        const QString shown = c.asNobody ? openFailureMessageAsNobody(g) : openFailureMessage(g);
        EXPECT_EQ(shown, "COM5 " + g.lang.UiText[126] + "\r\n" + c.expected);
    }

    // Any other failure keeps the system's own description.
    Globals g;
    LoadLanguageTexts(g, 2);
    mapComPort(QStringLiteral("/dev/null"));
    const QString other = openFailureMessage(g);
    EXPECT_TRUE(other.startsWith("COM5 " + g.lang.UiText[126] + "\r\n")) << other.toStdString();
    EXPECT_FALSE(other.contains("/dev/null")) << other.toStdString();
}
