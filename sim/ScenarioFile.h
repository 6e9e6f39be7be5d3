#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <QString>

#include <cstddef>
#include <optional>
#include <utility>

namespace sim {

// Reads a scenario file of at most Scenario::MaxFileBytes and parses it; an
// error names the file. One byte more than allowed is read to tell a file that
// is too large.
template <typename Scenario> std::optional<Scenario> loadScenarioFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray text = file.read(Scenario::MaxFileBytes + 1);
    QString reason;
    std::optional<Scenario> scenario = Scenario::parse(text, &reason);
    if (!scenario && error)
        *error = QStringLiteral("%1: %2").arg(path, reason);
    return scenario;
}

// Scenario files are lines of blank-separated words; "#" starts a comment.
// The words of one line, none for a blank or comment-only line.
QList<QByteArray> scenarioWords(QByteArrayView line);

// Plain decimal digits within [low, high]; no sign, no blanks.
std::optional<long long> wholeNumber(QByteArrayView text, long long low, long long high);

// "key=value" split at the first "="; nullopt without a key.
std::optional<std::pair<QByteArrayView, QByteArrayView>> keyValue(QByteArrayView pairText);

// The entry of a table of { const char* key; ... } rows with that key; nullptr when none.
template <typename Entry, std::size_t N> const Entry* entryNamed(const Entry (&table)[N], QByteArrayView key) {
    for (const Entry& entry : table) {
        if (key == entry.key)
            return &entry;
    }
    return nullptr;
}

// Hands each line of a scenario text to readLine, which returns false (having
// put its reason in `reason`) on a line it refuses. False, with the error in
// *error, for a text over maxBytes or at the first refused line.
template <typename LineReader>
bool readScenarioLines(QByteArrayView text, qsizetype maxBytes, LineReader&& readLine, const QString& reason,
                       QString* error) {
    if (text.size() > maxBytes) {
        if (error)
            *error = QStringLiteral("scenario larger than %1 bytes").arg(maxBytes);
        return false;
    }
    int lineNumber = 0;
    for (const QByteArrayView raw : text.toByteArray().split('\n')) {
        ++lineNumber;
        if (!readLine(raw)) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(reason);
            return false;
        }
    }
    return true;
}

} // namespace sim
