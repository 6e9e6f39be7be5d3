#include "settings/RCLIni.h"

#include "settings/WholeFile.h"
#include "settings/Win1252.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

// nullopt when the file exists but cannot be read; a missing file has no lines.
std::optional<QList<QByteArray>> readLines(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return QList<QByteArray>();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

// "[name]" with blanks allowed around it; anything after ']' is ignored.
std::optional<QString> sectionName(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return settings::fromWin1252(trimmed.mid(1, close - 1)).trimmed();
}

struct KeyLine {
    QString key;
    QString value;
};

std::optional<KeyLine> keyLine(const QByteArray& line) {
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0)
        return std::nullopt;
    const QString name = settings::fromWin1252(line.left(eq)).trimmed();
    if (name.isEmpty() || name.startsWith(u';'))
        return std::nullopt;
    QString value = settings::fromWin1252(line.mid(eq + 1)).trimmed();
    // A value wrapped in a pair of quotes is read without them.
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return KeyLine{name, value};
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// No value may carry a line break into the file: it would start a new key or section.
QString singleLine(QString text) {
    for (QChar& c : text)
        if (c == u'\r' || c == u'\n')
            c = u' ';
    return text;
}

} // namespace

QHash<QString, QString> RCLIni::SectionValues() const {
    QHash<QString, QString> values;
    if (!QFileInfo(File).isFile())
        return values;
    const auto lines = readLines(File);
    if (!lines)
        return values;
    bool inSection = false;
    for (const QByteArray& line : *lines) {
        if (const auto name = sectionName(line)) {
            // Only the first section of a name counts, for reading as for writing.
            if (inSection)
                break;
            inSection = sameName(*name, Section);
            continue;
        }
        if (!inSection)
            continue;
        const auto entry = keyLine(line);
        if (entry && !values.contains(entry->key.toLower()))
            values.insert(entry->key.toLower(), entry->value.left(MaxValueLength));
    }
    return values;
}

bool RCLIni::GetValue() {
    const QString found = SectionValues().value(key.toLower());
    if (found.isEmpty())
        return false;
    Value = found;
    return true;
}

bool RCLIni::SetValue() {
    if (File.isEmpty() || Section.isEmpty() || key.isEmpty())
        return false;
    // A file that exists but cannot be read must not be replaced by one holding a single key.
    const auto existing = readLines(File);
    if (!existing)
        return false;
    QList<QByteArray> lines = *existing;
    const auto lineFor = [this](const QString& name) {
        return settings::toWin1252(singleLine(name) + u'=' + singleLine(Value));
    };
    const QByteArray newLine = lineFor(key);

    qsizetype sectionStart = -1; // index of the section's header line
    qsizetype insertAt = -1;     // after the section's last non-blank line
    bool written = false;
    for (qsizetype i = 0; i < lines.size() && !written; ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (sectionStart >= 0)
                break;
            if (sameName(*name, Section)) {
                sectionStart = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (!lines[i].trimmed().isEmpty())
            insertAt = i + 1;
        const auto entry = keyLine(lines[i]);
        if (entry && sameName(entry->key, key)) {
            // The key keeps the spelling it has in the file.
            lines[i] = lineFor(entry->key);
            written = true;
        }
    }
    if (!written) {
        if (sectionStart >= 0) {
            lines.insert(insertAt, newLine);
        } else {
            lines.append("[" + settings::toWin1252(singleLine(Section)) + "]");
            lines.append(newLine);
        }
    }

    QByteArray content;
    for (const QByteArray& line : lines)
        content += line + "\r\n";
    return settings::replaceFileContent(File, content);
}
