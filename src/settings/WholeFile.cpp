#include "settings/WholeFile.h"

#include <QFile>
#include <QSaveFile>

#include <unistd.h>

namespace settings {
namespace {

enum class Renamed { Yes, NoFolderAccess, Failed };

Renamed writeThroughRename(const QString& path, const QByteArray& content) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Renamed::NoFolderAccess; // no temporary file in the folder
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return Renamed::Failed;
    }
    if (file.commit())
        return Renamed::Yes;
    // A folder that takes new files but does not let this user replace the
    // file (sticky bit, another owner) still leaves the file itself.
    return file.error() == QFileDevice::RenameError ? Renamed::NoFolderAccess : Renamed::Failed;
}

// Only an existing file: one that is not there could not be created either.
bool writeInPlace(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(content) == content.size() && file.flush() && ::fsync(file.handle()) == 0;
}

} // namespace

bool replaceFileContent(const QString& path, const QByteArray& content) {
    switch (writeThroughRename(path, content)) {
    case Renamed::Yes: return true;
    // A write error (a full disk) is not retried in place: that would cut the
    // old file short and perhaps leave nothing whole.
    case Renamed::Failed: return false;
    case Renamed::NoFolderAccess: break;
    }
    return writeInPlace(path, content);
}

bool discardFile(const QString& path) {
    return QFile::remove(path) || !QFile::exists(path) || QFile::resize(path, 0);
}

} // namespace settings
