#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

namespace sim {

// Reads a scenario file of at most Scenario::MaxFileBytes and parses it; an
// error names the file. One byte more than allowed is read to tell a file that
// is too large.
template <typename Scenario> std::optional<Scenario> loadScenarioFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray text = file.read(Scenario::MaxFileBytes + 1);
    QString reason;
    std::optional<Scenario> scenario = Scenario::parse(text, &reason);
    if (!scenario && error)
        *error = QStringLiteral("%1: %2").arg(path, reason);
    return scenario;
}

} // namespace sim
