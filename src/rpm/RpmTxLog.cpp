#include "rpm/RpmTxLog.h"

#include "settings/WholeFile.h"
#include "settings/Win1252.h"
#include "ui/Clock.h"
#include "ui/Paths.h"

#include <QFile>
#include <QFileInfo>

namespace rpm {

namespace {

void moveAsideWhenFull(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.size() < RpmTxLog::SizeLimit)
        return;
    const QString previous = ui::Paths::inProgramDirectory(RpmTxLog::PreviousFileName);
    QFile::remove(previous);
    if (!QFile::rename(path, previous))
        settings::discardFile(path);
}

} // namespace

QString RpmTxLog::path() {
    return ui::Paths::inProgramDirectory(FileName);
}

bool RpmTxLog::append(const QDateTime& when, const QString& command) {
    const QString file = path();
    moveAsideWhenFull(file);
    QFile log(file);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QString line = ui::formatDate(when.date()) + u' ' + ui::formatTime(when.time()) + u'\t' + command + "\r\n";
    const QByteArray bytes = settings::toWin1252(line);
    return log.write(bytes) == bytes.size();
}

} // namespace rpm
