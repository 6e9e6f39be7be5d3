// The archive window on screen: the records newest first, a changed record in
// red, in the chosen language; kept as a picture for people to look at.

#include "ArchiveSamples.h"
#include "BuiltPrograms.h"
#include "app/QtArchiveSheets.h"
#include "archive/ARCHIVIOView.h"
#include "lang/LanguageTexts.h"
#include "shared/Globals.h"
#include "support/NoSheets.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {

constexpr int RecordCount = 12;
constexpr qint64 Changed = 7;

class ArchiveWindowViewTest : public StationDirsTest {};

TEST_F(ArchiveWindowViewTest, ListsTheRecordsNewestFirstWithAChangedOneInRed) {
    const QString path = programFile(QStringLiteral("archivio.sqlite"));
    {
        archive::TestArchive archive(path, QStringLiteral("lane 1"), QStringLiteral("Ver. 1.0.0"));
        ASSERT_TRUE(archive.open(archive::TestArchive::Mode::ReadWrite));
        for (int number = 0; number < RecordCount; ++number)
            ASSERT_TRUE(archive.append(SampleConcludedTest(number)));
    }
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"),
               {path, QStringLiteral("UPDATE test_records SET verdict = 'SUPERATO!' WHERE seq = %1;").arg(Changed)});
    ASSERT_TRUE(tool.waitForFinished(20000));

    Globals g;
    installLanguageFile();
    LoadLanguageTexts(g, 2);
    RecordingDialogs dialogs;
    NoSheets sheets;
    ARCHIVIO form(g, dialogs, sheets, path);
    ARCHIVIOView view(form);
    form.Form_Load();
    view.show();

    QTableWidget* table = view.table();
    ASSERT_EQ(table->rowCount(), RecordCount);
    EXPECT_EQ(table->horizontalHeaderItem(3)->text(), "Plate");
    for (int row = 0; row < RecordCount; ++row) {
        const qint64 sequence = RecordCount - row;
        EXPECT_EQ(table->item(row, 0)->text(), QString::number(sequence));
        EXPECT_EQ(table->item(row, 3)->text(), SamplePlate(static_cast<int>(sequence - 1)));
        EXPECT_EQ(table->item(row, 0)->background().color() == Qt::red, sequence == Changed) << "record " << sequence;
    }
    EXPECT_EQ(form.Label5.caption(), "12 of 12 tests shown; 1 not valid");
    EXPECT_TRUE(view.grab().save(screenshotPath(QStringLiteral("archive-window.png"))));

    // The changed record opens on its sheet marked in the title, with printing off.
    QtArchiveSheets realSheets(dialogs, &view);
    ARCHIVIO opening(g, dialogs, realSheets, path);
    opening.Form_Load();
    opening.List1.setListIndex(RecordCount - static_cast<int>(Changed));
    QString title;
    bool printable = true;
    QTimer::singleShot(100, [&] {
        QWidget* sheet = QApplication::activeModalWidget();
        ASSERT_NE(sheet, nullptr);
        title = sheet->findChild<QLabel*>(QStringLiteral("Title"))->text();
        printable = sheet->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled();
        sheet->grab().save(screenshotPath(QStringLiteral("archive-sheet-not-valid.png")));
        sheet->close();
    });
    opening.Command2_Click();
    EXPECT_TRUE(title.endsWith(" - NOT VALID: record altered")) << title.toStdString();
    EXPECT_FALSE(printable);
}

} // namespace
