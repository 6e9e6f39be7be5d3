#include "archive/RecordChain.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMessageAuthenticationCode>

namespace archive {

namespace {
// Bumped if the content form ever changes; old records keep their own.
constexpr int ContentForm = 1;
} // namespace

QByteArray CanonicalContent(const StoredRecord& record) {
    const ConcludedTest& t = record.test;
    // A JSON array of texts: unambiguous (every text quoted and escaped) and
    // the same bytes on every machine.
    const QJsonArray content{ContentForm,
                             QString::number(record.sequence),
                             record.station,
                             record.programVersion,
                             record.storedAt,
                             KindName(t.kind),
                             OutcomeName(t.outcome),
                             record.started,
                             record.ended,
                             t.plate,
                             t.instrument,
                             t.verdict,
                             t.note,
                             record.fieldsText};
    return QJsonDocument(content).toJson(QJsonDocument::Compact);
}

QByteArray ChainCode(const QByteArray& key, const StoredRecord& record) {
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, key);
    mac.addData(CanonicalContent(record));
    mac.addData("\n");
    mac.addData(record.previousCode);
    return mac.result().toHex();
}

RecordCheck CheckRecord(const std::optional<QByteArray>& key, const StoredRecord& record,
                        const std::optional<QByteArray>& previousCode) {
    RecordCheck check{record.sequence, RecordFault::None};
    if (!key)
        check.fault = RecordFault::NoKey;
    else if (ChainCode(*key, record) != record.code)
        check.fault = RecordFault::Changed;
    else if (record.sequence > 1 && !previousCode)
        check.fault = RecordFault::PreviousMissing;
    else if (record.previousCode != previousCode.value_or(QByteArray()))
        check.fault = RecordFault::NotLinked;
    return check;
}

QString FaultText(const RecordCheck& check) {
    switch (check.fault) {
    case RecordFault::None: return QStringLiteral("OK");
    case RecordFault::Changed:
        return QStringLiteral("changed: its content does not match its code (edited, moved, or the key was replaced)");
    case RecordFault::PreviousMissing: return QStringLiteral("record %1 before it is missing").arg(check.sequence - 1);
    case RecordFault::NotLinked:
        return QStringLiteral("does not follow record %1: inserted or reordered").arg(check.sequence - 1);
    case RecordFault::NoKey: return QStringLiteral("cannot be checked: the key file is missing");
    }
    return QString();
}

} // namespace archive
