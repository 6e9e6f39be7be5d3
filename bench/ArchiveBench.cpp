// Measures the test archive at the size of ten busy years: fills an archive
// with 365 000 records, then times writing one record, opening the archive
// window, filtering it by plate and verifying the whole chain, against the
// goals. Not a test: the figures depend on the machine; the README keeps them.
//
//   quaveron-archive-bench [--records N] [--archive PATH]
// An existing archive at PATH with enough records is measured as it is.

#include "ArchiveSamples.h"
#include "archive/ARCHIVIOView.h"
#include "archive/ArchiveCommandLine.h"
#include "archive/TestArchive.h"
#include "lang/LanguageTexts.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"
#include "ui/Paths.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int FillBatch = 5000;
constexpr int Repeats = 15;

class QuietDialogs : public ui::Dialogs {
  public:
    ui::Answer message(const QString& text, const QString&, ui::Icon, ui::Buttons) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return ui::Answer::Ok;
    }
    void beep() override {}
};

class NoSheets : public ArchiveSheetWindows {
  public:
    void showSheet(ConcludedTest::Kind, Globals&, const QString&, bool, const QString&) override {}
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F> double millisecondsOf(F&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void row(const char* measure, double ms, double goalMs) {
    std::printf("| %s | %.1f ms | < %.0f ms | %s |\n", measure, ms, goalMs, ms < goalMs ? "met" : "NOT met");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const qsizetype recordsAt = args.indexOf(QStringLiteral("--records"));
    const int records = recordsAt > 0 ? args.value(recordsAt + 1).toInt() : 365000;
    const qsizetype pathAt = args.indexOf(QStringLiteral("--archive"));
    QTemporaryDir temporary;
    const QString path = pathAt > 0 ? args.value(pathAt + 1) : temporary.filePath(QStringLiteral("archivio.sqlite"));

    archive::TestArchive archive(path, QStringLiteral("lane 1"), QStringLiteral("bench"));
    if (!archive.open(archive::TestArchive::Mode::ReadWrite)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(archive.lastError()));
        return 1;
    }
    const qint64 present = archive.count({});
    const double fillMs = millisecondsOf([&] {
        for (qint64 number = present; number < records;) {
            QList<ConcludedTest> batch;
            for (int i = 0; i < FillBatch && number < records; ++i, ++number)
                batch << SampleConcludedTest(static_cast<int>(number));
            if (!archive.append(batch)) {
                std::fprintf(stderr, "fill: %s\n", qPrintable(archive.lastError()));
                std::exit(1);
            }
        }
    });
    const qint64 total = archive.count({});
    std::printf("archive: %s, %lld records (%lld added in %.0f s)\n\n", qPrintable(path), static_cast<long long>(total),
                static_cast<long long>(total - present), fillMs / 1000);
    std::printf("| measure | median | goal | |\n| --- | --- | --- | --- |\n");

    std::vector<double> writes;
    for (int i = 0; i < Repeats; ++i)
        writes.push_back(millisecondsOf([&] { archive.append(SampleConcludedTest(records + i)); }));
    row("writing one record (full synchronous commit)", median(writes), 50);

    // The window in English, from the shipped language file.
    ui::Paths::setWorkingDirectory(QString::fromUtf8(QUAVERON_SOURCE_DIR "/data"));
    Globals g;
    LoadLanguageTexts(g, 2);
    QuietDialogs dialogs;
    NoSheets sheets;
    std::vector<double> opens;
    for (int i = 0; i < Repeats; ++i)
        opens.push_back(millisecondsOf([&] {
            ARCHIVIO form(g, dialogs, sheets, path);
            ARCHIVIOView view(form);
            form.Form_Load();
            view.show();
            QApplication::processEvents();
        }));
    row("opening the archive window (newest 500 listed, each checked)", median(opens), 1000);

    ARCHIVIO form(g, dialogs, sheets, path);
    ARCHIVIOView view(form);
    form.Form_Load();
    view.show();
    std::vector<double> filters;
    for (int i = 0; i < Repeats; ++i) {
        form.Text3.setText(SamplePlate(i * 997));
        filters.push_back(millisecondsOf([&] {
            form.Command1_Click();
            QApplication::processEvents();
        }));
    }
    std::printf("(a plate lists %lld tests)\n", static_cast<long long>(form.Rows.size()));
    row("filtering by plate", median(filters), 100);

    QBuffer discard;
    discard.open(QIODevice::WriteOnly);
    QTextStream out(&discard);
    QTextStream err(stderr);
    int verdict = 0;
    const double verifyMs = millisecondsOf([&] {
        verdict = archive::RunArchiveCommand({"quaveron", "--archive-verify", "--archive", path}, out, err);
    });
    row("verifying the whole chain (--archive-verify)", verifyMs, 30000);
    if (verdict != 0)
        std::fprintf(stderr, "verification failed (%d)\n", verdict);
    return verdict;
}
