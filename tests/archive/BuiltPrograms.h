#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>

// A program of this build, by its path under the build folder.
inline QString builtProgram(const QString& relative) {
    const QByteArray root = qgetenv("QUAVERON_BINARY_DIR");
    const QString build =
        root.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/..") : QString::fromLocal8Bit(root);
    return QDir(build).filePath(relative);
}
