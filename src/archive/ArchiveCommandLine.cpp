#include "archive/ArchiveCommandLine.h"

#include "archive/ArchiveKey.h"
#include "archive/LaneArchive.h"
#include "archive/ServerArchive.h"
#include "archive/TestArchive.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"

#include <QFile>
#include <QSet>
#include <QTextStream>

namespace archive {

namespace {

const QString VerifyVerb = QStringLiteral("--archive-verify");
const QString ExportVerb = QStringLiteral("--archive-export");

constexpr int Done = 0;
constexpr int RecordFailed = 1;
constexpr int Unusable = 2;

// The value after an option; nullopt when the option is absent, empty when it has no value.
std::optional<QString> optionValue(const QStringList& arguments, const QString& option) {
    const qsizetype at = arguments.indexOf(option);
    if (at < 0)
        return std::nullopt;
    return at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

std::optional<QDate> dayOption(const QStringList& arguments, const QString& option, bool* bad) {
    const std::optional<QString> text = optionValue(arguments, option);
    if (!text)
        return std::nullopt;
    for (const char* format : {"yyyy-MM-dd", "dd/MM/yyyy"}) {
        const QDate day = QDate::fromString(*text, QLatin1String(format));
        if (day.isValid())
            return day;
    }
    *bad = true;
    return std::nullopt;
}

QString csvCell(const QString& value) {
    if (!value.contains(u',') && !value.contains(u'"') && !value.contains(u'\n') && !value.contains(u'\r'))
        return value;
    QString quoted = value;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvRow(const QStringList& cells) {
    QStringList out;
    for (const QString& cell : cells)
        out << csvCell(cell);
    return out.join(u',') + QStringLiteral("\r\n");
}

int verify(const TestArchive& archive, QTextStream& out, QTextStream& err) {
    bool failed = false;
    const bool read = archive.forEach(
        {},
        [&](const ListedRecord& listed) {
            failed = failed || !listed.check.ok();
            out << listed.record.sequence << ' ' << FaultText(listed.check) << '\n';
            return true;
        },
        TestArchive::Reading::CheckOnly);
    if (!read) {
        err << archive.path() << ": " << archive.lastError() << '\n';
        return Unusable;
    }
    return failed ? RecordFailed : Done;
}

// Every lane of the centre's server: those whose key this PC holds are
// checked record by record, the others are named with the key they need.
int verifyServer(const ArchiveSettings& settings, const QString& archivePath, QTextStream& out, QTextStream& err) {
    const KeyOfLane keyOf = LaneKeys(archivePath, settings.lane);
    ServerArchive server(settings, keyOf);
    if (const ServerCheck check = server.open(); !check.ok()) {
        err << ServerTarget(settings) << ": " << ProblemName(check.problem) << ": " << check.detail << '\n';
        return Unusable;
    }
    bool failed = false;
    for (const QString& lane : server.table().lanes()) {
        ArchiveFilter filter;
        filter.lane = lane;
        if (!keyOf(lane)) {
            out << '[' << lane << "] " << server.table().count(filter)
                << " records not checked: this PC holds no key for the lane (" << LaneKeyPath(archivePath, lane)
                << ")\n";
            continue;
        }
        const bool read = server.table().forEach(
            filter,
            [&](const ListedRecord& listed) {
                failed = failed || !listed.check.ok();
                out << '[' << lane << "] " << listed.record.sequence << ' ' << FaultText(listed.check) << '\n';
                return true;
            },
            RecordTable::Reading::CheckOnly);
        if (!read) {
            err << ServerTarget(settings) << ": " << server.table().lastError() << '\n';
            return Unusable;
        }
    }
    return failed ? RecordFailed : Done;
}

int exportCsv(const TestArchive& archive, const ArchiveFilter& filter, const QString& target, QTextStream& err) {
    // One column per key any record has, in the order they first appear.
    QStringList keys;
    QSet<QString> seen;
    const bool read = archive.forEach(filter, [&](const ListedRecord& listed) {
        for (const auto& field : listed.record.test.fields)
            if (!seen.contains(field.first)) {
                seen.insert(field.first);
                keys << field.first;
            }
        return true;
    });
    QFile file(target);
    if (!read || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        err << (read ? target + QStringLiteral(": ") + file.errorString() : archive.lastError()) << '\n';
        return Unusable;
    }
    QTextStream csv(&file);
    csv.setEncoding(QStringConverter::Utf8);
    csv << csvRow(QStringList{"Record", "Check", "Station", "Kind", "Outcome", "Start", "End", "Note"} + keys);
    bool failed = false;
    archive.forEach(filter, [&](const ListedRecord& listed) {
        const StoredRecord& r = listed.record;
        failed = failed || !listed.check.ok();
        QStringList cells{QString::number(r.sequence),
                          FaultText(listed.check),
                          r.station,
                          KindName(r.test.kind),
                          OutcomeName(r.test.outcome),
                          r.started,
                          r.ended,
                          r.test.note};
        for (const QString& key : keys)
            cells << r.test.value(key);
        csv << csvRow(cells);
        return true;
    });
    csv.flush();
    file.close();
    if (file.error() != QFile::NoError) {
        err << target << ": " << file.errorString() << '\n';
        return Unusable;
    }
    return failed ? RecordFailed : Done;
}

} // namespace

bool IsArchiveCommand(const QStringList& arguments) {
    return arguments.contains(VerifyVerb) || arguments.contains(ExportVerb);
}

int RunArchiveCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const std::optional<QString> chosen = optionValue(arguments, QStringLiteral("--archive"));
    const QString path = chosen.value_or(DefaultArchivePath());
    if (arguments.contains(VerifyVerb)) {
        Globals g;
        LoadArchiveSettings(g);
        if (g.settings.Archive.usesServer())
            return verifyServer(g.settings.Archive, path, out, err);
    }
    TestArchive archive(path, QString(), QString());
    if (!archive.open(TestArchive::Mode::ReadOnly)) {
        err << path << ": " << archive.lastError() << '\n';
        return Unusable;
    }
    if (arguments.contains(VerifyVerb))
        return verify(archive, out, err);

    const QString target = optionValue(arguments, ExportVerb).value_or(QString());
    bool badDay = false;
    ArchiveFilter filter;
    filter.from = dayOption(arguments, QStringLiteral("--from"), &badDay).value_or(QDate());
    filter.to = dayOption(arguments, QStringLiteral("--to"), &badDay).value_or(QDate());
    if (target.isEmpty() || target.startsWith(QStringLiteral("--")) || badDay) {
        err << "usage: quaveron --archive-export FILE.csv [--from yyyy-mm-dd] [--to yyyy-mm-dd] [--archive PATH]\n";
        return Unusable;
    }
    return exportCsv(archive, filter, target, err);
}

} // namespace archive
