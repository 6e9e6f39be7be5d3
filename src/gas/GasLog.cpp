#include "gas/GasLog.h"

#include "settings/Win1252.h"
#include "ui/Clock.h"
#include "ui/Paths.h"

#include <QFile>

namespace gas {

QString GasLogPath() {
    return ui::Paths::inProgramDirectory(QStringLiteral("gas.log"));
}

QByteArray GasLogLine(const QStringList& shownValues, const QDate& today, const QString& serial) {
    QString line;
    for (const QString& value : shownValues)
        line += value + u'\t';
    line += ui::formatDate(today) + u'\t' + serial + QStringLiteral(" \r\n");
    return settings::toWin1252(line);
}

void AppendGasLog(const QByteArray& line) {
    QFile file(GasLogPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line);
}

} // namespace gas
