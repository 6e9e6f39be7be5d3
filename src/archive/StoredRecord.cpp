#include "archive/StoredRecord.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <array>

namespace archive {

namespace {

const std::array<std::pair<ConcludedTest::Kind, const char*>, 4> Kinds{{
    {ConcludedTest::Kind::GasCertificate, "gas"},
    {ConcludedTest::Kind::GasDiagnosis, "diagnosis"},
    {ConcludedTest::Kind::Smoke, "smoke"},
    {ConcludedTest::Kind::Chart, "chart"},
}};

const std::array<std::pair<ConcludedTest::Outcome, const char*>, 4> Outcomes{{
    {ConcludedTest::Outcome::Passed, "passed"},
    {ConcludedTest::Outcome::NotPassed, "not passed"},
    {ConcludedTest::Outcome::Interrupted, "interrupted"},
    {ConcludedTest::Outcome::NoVerdict, "no verdict"},
}};

template <typename T, std::size_t N> QString nameOf(const std::array<std::pair<T, const char*>, N>& names, T value) {
    for (const auto& [v, name] : names)
        if (v == value)
            return QLatin1String(name);
    return QString();
}

template <typename T, std::size_t N>
T valueOf(const std::array<std::pair<T, const char*>, N>& names, const QString& name, T fallback) {
    for (const auto& [v, n] : names)
        if (name == QLatin1String(n))
            return v;
    return fallback;
}

} // namespace

QString KindName(ConcludedTest::Kind kind) {
    return nameOf(Kinds, kind);
}
ConcludedTest::Kind KindFromName(const QString& name) {
    return valueOf(Kinds, name, ConcludedTest::Kind::GasCertificate);
}
QString OutcomeName(ConcludedTest::Outcome outcome) {
    return nameOf(Outcomes, outcome);
}
ConcludedTest::Outcome OutcomeFromName(const QString& name) {
    return valueOf(Outcomes, name, ConcludedTest::Outcome::NoVerdict);
}

QString FieldsText(const QList<ConcludedTest::Field>& fields) {
    QJsonArray array;
    for (const auto& [key, value] : fields)
        array.append(QJsonArray{key, value});
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QList<ConcludedTest::Field> FieldsFromText(const QString& text) {
    QList<ConcludedTest::Field> fields;
    for (const QJsonValue& pair : QJsonDocument::fromJson(text.toUtf8()).array()) {
        const QJsonArray kv = pair.toArray();
        fields.append({kv.at(0).toString(), kv.at(1).toString()});
    }
    return fields;
}

QString MomentText(const QDateTime& moment) {
    return moment.isValid() ? moment.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) : QString();
}

QDateTime MomentFromText(const QString& text) {
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"));
}

} // namespace archive
