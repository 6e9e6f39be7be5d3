#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The secret the record chain is sealed with. It lives in a file beside the
// archive that only the station user can read, never in the archive itself,
// so whoever edits the database cannot seal a changed record again.
namespace archive {

constexpr int KeyBytes = 32;

// The key file's path for an archive file: the same name with ".key".
QString KeyPathFor(const QString& archivePath);

// Where this PC keeps the keys of other lanes, to check their records on the
// centre's server: a folder "chiavi" beside the archive, one "<lane>.key" each
// (characters a file name cannot hold are %-encoded).
QString LaneKeyPath(const QString& archivePath, const QString& lane);

// Reads the key; nullopt when the file is missing or not a key.
std::optional<QByteArray> ReadKey(const QString& path);

// Reads the key, or makes one from the system's random source (mode 0600,
// created exclusively so two processes never make two keys). nullopt, with
// `error` set, when neither works.
std::optional<QByteArray> ReadOrCreateKey(const QString& path, QString* error);

} // namespace archive
