#pragma once

#include "settings/ConfFile.h"
#include "settings/Win1252.h"
#include "support/StationDirs.h"

#include <QStringList>

// A station directory whose Conf.ini the test writes line by line, the way the
// station stores it: Windows-1252, CR LF.
class ConfFileTest : public StationDirsTest {
  protected:
    QString confPath() const { return workFile("Conf.ini"); }

    void writeConf(const QStringList& lines) const {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += settings::toWin1252(line) + "\r\n";
        writeBytes(confPath(), bytes);
    }

    QByteArray confBytes() const { return readBytes(confPath()); }
};
