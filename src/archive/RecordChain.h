#pragma once

#include "archive/StoredRecord.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The chain that protects the archive: every record carries an HMAC-SHA-256
// of its canonical content together with the code of the record before it,
// so editing, deleting, inserting or reordering records breaks a code or a link.
namespace archive {

// The record's content in one fixed byte form: every stored column but the codes.
QByteArray CanonicalContent(const StoredRecord& record);

// The code a record must carry under `key`.
QByteArray ChainCode(const QByteArray& key, const StoredRecord& record);

enum class RecordFault {
    None,
    Changed,         // its content or code is not what was sealed (or the key is not the one it was sealed with)
    PreviousMissing, // the record before it is gone
    NotLinked,       // it does not follow the record before it: inserted or moved
    NoKey,           // the key file is missing
};

struct RecordCheck {
    qint64 sequence = 0;
    RecordFault fault = RecordFault::None;
    bool ok() const { return fault == RecordFault::None; }
};

// Checks one record against the record before it in sequence (nullopt: there
// is none; for record 1 that is right). `previousCode` is that record's stored code.
RecordCheck CheckRecord(const std::optional<QByteArray>& key, const StoredRecord& record,
                        const std::optional<QByteArray>& previousCode);

// "OK", or what is wrong, in English for the command line and the log.
QString FaultText(const RecordCheck& check);

} // namespace archive
