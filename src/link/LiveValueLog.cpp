#include "link/LiveValueLog.h"

#include "settings/Win1252.h"
#include "ui/Clock.h"
#include "ui/Paths.h"

#include <QFile>

QByteArray LiveValueLogLine(const QStringList& shownValues, const QDate& today, const QString& serial) {
    QString line;
    for (const QString& value : shownValues)
        line += value + u'\t';
    line += ui::formatDate(today) + u'\t' + serial + QStringLiteral(" \r\n");
    return settings::toWin1252(line);
}

void AppendLiveValueLog(const QString& fileName, const QByteArray& line) {
    QFile file(ui::Paths::inProgramDirectory(fileName));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line);
}
