#include "ui/Paths.h"

#include <QCoreApplication>
#include <QDir>

namespace ui {

namespace {
QString& workingOverride() {
    static QString dir;
    return dir;
}
QString& programOverride() {
    static QString dir;
    return dir;
}
} // namespace

QString Paths::workingDirectory() {
    return workingOverride().isEmpty() ? QDir::currentPath() : workingOverride();
}

QString Paths::programDirectory() {
    if (!programOverride().isEmpty())
        return programOverride();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void Paths::setWorkingDirectory(const QString& dir) { workingOverride() = dir; }

void Paths::setProgramDirectory(const QString& dir) { programOverride() = dir; }

QString Paths::inWorkingDirectory(const QString& fileName) {
    return QDir(workingDirectory()).filePath(fileName);
}

QString Paths::inProgramDirectory(const QString& fileName) {
    return QDir(programDirectory()).filePath(fileName);
}

} // namespace ui
