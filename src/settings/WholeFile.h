#pragma once

#include <QByteArray>
#include <QString>

namespace settings {

// Replaces a file's whole content. First choice is a temporary file renamed over
// it, so a crash never leaves half a file. Where the folder refuses new files but
// the file itself is writable (a program installed by an administrator, with its
// files opened to the operators), the file is written in place instead: whole,
// flushed and synced. False only when both ways fail.
bool replaceFileContent(const QString& path, const QByteArray& content);

// Removes a file; where the folder does not allow that, empties it, so a log
// that is started anew does not grow without end instead. False when neither works.
bool discardFile(const QString& path);

} // namespace settings
