#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The platform's system-information program, looked up on PATH. The lookup and
// the start are injectable so the about box can be tested on any machine.
class SystemInfoTool {
  public:
    using Locate = std::function<QString(const QString& name)>;
    using Start = std::function<bool(const QString& program)>;

    // Defaults: QStandardPaths::findExecutable and a detached process.
    SystemInfoTool();
    SystemInfoTool(Locate locate, Start start);

    // The tools tried, in order of preference.
    static QStringList candidates();
    // Starts the first tool found; false when none is found or it will not start.
    bool launch() const;

  private:
    Locate locate_;
    Start start_;
};
