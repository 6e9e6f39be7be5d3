#include "app/SystemInfoTool.h"

#include <QProcess>
#include <QStandardPaths>

SystemInfoTool::SystemInfoTool()
    : SystemInfoTool([](const QString& name) { return QStandardPaths::findExecutable(name); },
                     [](const QString& program) { return QProcess::startDetached(program, {}); }) {}

SystemInfoTool::SystemInfoTool(Locate locate, Start start) : locate_(std::move(locate)), start_(std::move(start)) {}

QStringList SystemInfoTool::candidates() {
    // Hardware and system summaries first, then the desktops' system monitors.
    return {QStringLiteral("hardinfo2"),           QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"),         QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"), QStringLiteral("plasma-systemmonitor")};
}

bool SystemInfoTool::launch() const {
    for (const QString& name : candidates()) {
        const QString program = locate_ ? locate_(name) : QString();
        if (!program.isEmpty())
            return start_ && start_(program);
    }
    return false;
}
