#include "link/PortDiagnosis.h"

#include "lang/LanguageTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString ownerGroup(const QByteArray& path) {
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return {};
    if (const struct group* entry = ::getgrgid(info.st_gid))
        return QString::fromLocal8Bit(entry->gr_name);
    return QString::number(info.st_gid);
}

QString effectiveUser() {
    if (const struct passwd* entry = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(::geteuid());
}

// Serial programs (Qt's among them) leave a LCK.. file with their process id
// while they hold a port; one whose process still runs means the port is taken.
bool lockedByLiveProcess(const QString& device) {
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name.replace(u'/', u'_');
    for (const QString& folder : {QStringLiteral("/var/lock"), QStringLiteral("/run/lock"), QDir::tempPath()}) {
        QLockFile lock(folder + QStringLiteral("/LCK..") + name);
        qint64 pid = 0;
        QString host;
        QString application;
        if (lock.getLockInfo(&pid, &host, &application) && pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM))
            return true;
    }
    return false;
}

// A terminal held exclusively by another program refuses a second open.
bool refusesOpenAsBusy(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == EBUSY;
}

} // namespace

bool IsStableDeviceName(const QString& path) {
    return path.startsWith(QLatin1String("/dev/serial/by-id/")) ||
           path.startsWith(QLatin1String("/dev/serial/by-path/"));
}

PortOpenDiagnosis DiagnosePortOpen(const QString& device) {
    PortOpenDiagnosis diagnosis;
    diagnosis.device = device;
    const QByteArray path = QFile::encodeName(device);
    // exists() follows links: a by-id link left dangling counts as missing.
    if (device.isEmpty() || !QFileInfo::exists(device)) {
        diagnosis.problem = IsStableDeviceName(device) ? PortOpenProblem::Unplugged : PortOpenProblem::Missing;
        return diagnosis;
    }
    if (::access(path.constData(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM)) {
        diagnosis.problem = PortOpenProblem::PermissionDenied;
        diagnosis.group = ownerGroup(path);
        diagnosis.user = effectiveUser();
        return diagnosis;
    }
    if (refusesOpenAsBusy(path) || lockedByLiveProcess(device))
        diagnosis.problem = PortOpenProblem::Busy;
    return diagnosis;
}

QString PortOpenDiagnosisText(const Globals& g, const PortOpenDiagnosis& diagnosis) {
    switch (diagnosis.problem) {
    case PortOpenProblem::Missing: return NamedText(g, u"PORTAMancante").arg(diagnosis.device);
    case PortOpenProblem::Unplugged: return NamedText(g, u"PORTAScollegato").arg(diagnosis.device);
    case PortOpenProblem::PermissionDenied:
        return NamedText(g, u"PORTAPermesso").arg(diagnosis.device, diagnosis.group, diagnosis.user);
    case PortOpenProblem::Busy: return NamedText(g, u"PORTAOccupato").arg(diagnosis.device);
    case PortOpenProblem::Other: break;
    }
    return {};
}
