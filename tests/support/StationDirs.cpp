#include "support/StationDirs.h"

#include "ui/Clock.h"
#include "ui/Paths.h"

#include <QDir>
#include <QFile>
#include <QLocale>

void StationDirsTest::SetUp() {
    ASSERT_TRUE(work.isValid());
    ASSERT_TRUE(program.isValid());
    ui::Paths::setWorkingDirectory(work.path());
    ui::Paths::setProgramDirectory(program.path());
    QLocale::setDefault(QLocale::c());
}

void StationDirsTest::TearDown() {
    ui::Paths::setWorkingDirectory(QString());
    ui::Paths::setProgramDirectory(QString());
    ui::Clock::reset();
    QLocale::setDefault(QLocale::c());
}

QString StationDirsTest::workFile(const QString& name) const { return QDir(work.path()).filePath(name); }

QString StationDirsTest::programFile(const QString& name) const { return QDir(program.path()).filePath(name); }

QByteArray StationDirsTest::readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void StationDirsTest::writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void StationDirsTest::installLanguageFile() const {
    QFile::remove(workFile("Lingua.ini"));
    ASSERT_TRUE(QFile::copy(sourceDataPath("Lingua.ini"), workFile("Lingua.ini")));
}

QString sourceDataPath(const QString& relative) {
    const QByteArray root = qgetenv("QUAVERON_SOURCE_DIR");
    return QDir(QString::fromLocal8Bit(root.isEmpty() ? QByteArray(QUAVERON_SOURCE_DIR_FALLBACK) : root))
        .filePath("data/" + relative);
}

QString screenshotPath(const QString& fileName) {
    const QByteArray root = qgetenv("QUAVERON_BINARY_DIR");
    QDir dir(QString::fromLocal8Bit(root.isEmpty() ? QByteArray(".") : root));
    dir.mkpath("screenshots");
    return dir.filePath("screenshots/" + fileName);
}
