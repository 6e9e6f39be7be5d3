#include "StartUpProbe.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Reads the child's output until "shown" or the deadline; false on time-out.
bool waitForShown(int fd, const QElapsedTimer& wall, int timeoutMs) {
    std::string output;
    char buffer[256];
    while (output.find("shown") == std::string::npos) {
        const qint64 left = timeoutMs - wall.elapsed();
        if (left <= 0)
            return false;
        pollfd in{fd, POLLIN, 0};
        const int ready = poll(&in, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count <= 0)
            return false; // ended before its window was shown
        output.append(buffer, size_t(count));
    }
    return true;
}

} // namespace

StartUpProbe ProbeStartUp(const QString& program, const QString& workingDirectory, int timeoutMs) {
    StartUpProbe probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUAVERON_STARTUP_PROBE"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("DISPLAY")) && !env.contains(QStringLiteral("WAYLAND_DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    // Everything the child needs is built before the fork.
    const QByteArray path = program.toLocal8Bit();
    const QByteArray directory = workingDirectory.toLocal8Bit();
    std::vector<QByteArray> envText;
    for (const QString& entry : env.toStringList())
        envText.push_back(entry.toLocal8Bit());
    std::vector<char*> envp;
    for (QByteArray& entry : envText)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(path.constData()), nullptr};

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        probe.error = QString::fromLocal8Bit(std::strerror(errno));
        return probe;
    }
    QElapsedTimer wall;
    wall.start();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        if (chdir(directory.constData()) == 0)
            execve(argv[0], argv, envp.data());
        _exit(127);
    }
    close(out[1]);
    if (pid < 0) {
        close(out[0]);
        probe.error = QString::fromLocal8Bit(std::strerror(errno));
        return probe;
    }
    const bool shown = waitForShown(out[0], wall, timeoutMs);
    probe.msToShown = double(wall.elapsed());
    if (!shown)
        kill(pid, SIGKILL);
    // The probe ends the program at once; one that hangs is ended here.
    int status = 0;
    rusage usage{};
    const qint64 endBy = wall.elapsed() + 10000;
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (wall.elapsed() > endBy) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            break;
        }
        usleep(2000);
    }
    close(out[0]);
    probe.peakMiB = usage.ru_maxrss / 1024.0;
    probe.shown = shown && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!probe.shown)
        probe.error = shown ? QStringLiteral("ended with status %1").arg(status)
                            : QStringLiteral("no main window within %1 ms").arg(timeoutMs);
    return probe;
}
