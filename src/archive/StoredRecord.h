#pragma once

#include "shared/ConcludedTest.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace archive {

// One kept test as the archive holds it: the test, where and when it was
// stored, and its place in the chain. Sequence numbers start at 1 and leave
// no gaps, so a missing record shows as a gap.
struct StoredRecord {
    qint64 sequence = 0;
    QString station;        // the lane or station that stored it
    QString programVersion; // the program that stored it
    // The moments as stored (MomentText): sealed as they are, and read into
    // QDateTime only where shown, since that costs a time-zone look-up each.
    QString storedAt;
    QString started;
    QString ended;
    ConcludedTest test;      // start and end filled only where the record is shown
    QString fieldsText;      // the test's fields as stored (JSON), sealed as they are
    QByteArray previousCode; // the code of record sequence - 1; empty for the first
    QByteArray code;         // HMAC-SHA-256 (hex) of the content and previousCode
};

// Names stored for kinds and outcomes; also what filters and exports show.
QString KindName(ConcludedTest::Kind kind);
ConcludedTest::Kind KindFromName(const QString& name);
QString OutcomeName(ConcludedTest::Outcome outcome);
ConcludedTest::Outcome OutcomeFromName(const QString& name);

// Fields as the archive stores them, and back. Broken text gives no fields.
QString FieldsText(const QList<ConcludedTest::Field>& fields);
QList<ConcludedTest::Field> FieldsFromText(const QString& text);

// Moments as stored: ISO 8601 with milliseconds, local time.
QString MomentText(const QDateTime& moment);
QDateTime MomentFromText(const QString& text);

} // namespace archive
