#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

// The measuring windows' optional logs of live values (gas.log, smoke.log):
// one line per measurement reply, beside the executable.

// The values as shown, each followed by a TAB, then the date, a TAB, the
// instrument's serial number, one blank and CR LF; Windows-1252 like every
// station file.
QByteArray LiveValueLogLine(const QStringList& shownValues, const QDate& today, const QString& serial);

// Appends one line to the file of that name in the program's folder, opened
// and closed for the line. The log is an aid, not a record: a file that cannot
// be written is skipped without a word.
void AppendLiveValueLog(const QString& fileName, const QByteArray& line);
