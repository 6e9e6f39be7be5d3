#include "PdfPages.h"
#include "ReportData.h"

#include "lang/LanguageTexts.h"
#include "report/GasSheetViews.h"
#include "report/StampaOpaBView.h"
#include "support/RecordingDialogs.h"
#include "support/ViewHelpers.h"
#include "ui/Clock.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class SheetViewsTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        installLanguageFile();
        ui::Clock::set(QDateTime(QDate(2026, 12, 8), QTime(14, 12, 31)));
        fillPassedCertificate(g);
        fillDiagnosis(g);
        fillFiveAccelerationSmokeTest(g);
    }
    void TearDown() override {
        ui::QtWindowPrinter::redirectToPdf(QString());
        StationDirsTest::TearDown();
    }
    void useLanguage(int code) {
        g.settings.LanguageCode = static_cast<std::int16_t>(code);
        LoadLanguageTexts(g, code);
    }

    Globals g;
    RecordingDialogs dialogs;
};

// Every caption and value of a sheet fits its box.
void expectNoClippedText(QWidget& sheet) {
    for (QLabel* label : sheet.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->wordWrap() || label->text().isEmpty())
            continue;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width() - 2 * label->margin())
            << label->objectName().toStdString() << ": " << label->text().toStdString();
    }
}

TEST_F(SheetViewsTest, ScreenshotsOfTheThreeSheetsInEachLanguage) {
    for (int code : {1, 2, 3}) {
        useLanguage(code);
        const QString language = code == 1 ? "it" : code == 2 ? "en" : "es";
        {
            PrtKAPROCERT form(g, dialogs);
            PrtKAPROCERTView view(form);
            form.Form_Load();
            EXPECT_TRUE(saveScreenshot(&view, "report-certificate-" + language + ".png"));
            expectNoClippedText(view);
        }
        {
            PrtKAPRODIAGN form(g, dialogs);
            PrtKAPRODIAGNView view(form);
            form.Form_Load();
            EXPECT_TRUE(saveScreenshot(&view, "report-diagnosis-" + language + ".png"));
            expectNoClippedText(view);
        }
        {
            StampaOpaB form(g, dialogs);
            StampaOpaBView view(form);
            form.Form_Load();
            EXPECT_TRUE(saveScreenshot(&view, "report-smoke-" + language + ".png"));
            expectNoClippedText(view);
        }
    }
}

// Where a control sits on the printed page, whose width is the window's.
QRect onPage(const QWidget& control, const QWidget& window, const QImage& page) {
    const double scale = double(page.width()) / window.width();
    const QRect place(control.mapTo(&window, QPoint(0, 0)), control.size());
    return QRect(int(place.x() * scale), int(place.y() * scale), int(place.width() * scale),
                 int(place.height() * scale));
}

TEST_F(SheetViewsTest, ThreeCopiesGiveThreeIdenticalPagesWithoutButtonsOrCopiesField) {
    useLanguage(1);
    const QString pdf = programFile("printed.pdf");
    ui::QtWindowPrinter::redirectToPdf(pdf);
    StampaOpaB form(g, dialogs);
    StampaOpaBView view(form);
    form.Form_Load();
    view.show();
    QApplication::processEvents();
    typeInto(view.findChild<QLineEdit*>("CopiesBox"), "3");
    EXPECT_EQ(g.report.PrintCopies, "3");

    view.findChild<QPushButton*>("Command2")->click();

    EXPECT_EQ(pdfPageCount(readBytes(pdf)), 3);
    const QVector<QImage> pages = renderPdfPages(pdf);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[1], pages[0]);
    EXPECT_EQ(pages[2], pages[0]);
    const QImage& page = pages[0];
    for (const char* name : {"Command1", "Command2", "CopiesBox", "CopiesLabel"}) {
        const auto* control = view.findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->isVisible()) << name; // back after printing
        EXPECT_FALSE(hasInk(page, onPage(*control, view, page))) << name;
    }
    // The sheet itself is on paper.
    EXPECT_TRUE(hasInk(page, onPage(*view.findChild<QWidget*>("Title"), view, page)));
    EXPECT_TRUE(hasInk(page, onPage(*view.findChild<QWidget*>("VehiclePlate"), view, page)));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SheetViewsTest, RefusedCopiesKeepTheSheetOpenAndTheNextSheetStartsAtOneCopy) {
    const QString pdf = programFile("printed.pdf");
    ui::QtWindowPrinter::redirectToPdf(pdf);
    {
        PrtKAPRODIAGN form(g, dialogs);
        PrtKAPRODIAGNView view(form);
        form.Form_Load();
        view.show();
        typeInto(view.findChild<QLineEdit*>("CopiesBox"), "");
        view.findChild<QPushButton*>("Command2")->click();
        EXPECT_EQ(dialogs.shown.size(), 1u);
        EXPECT_TRUE(view.isVisible());
        EXPECT_FALSE(QFile::exists(pdf));

        typeInto(view.findChild<QLineEdit*>("CopiesBox"), "2");
        view.findChild<QPushButton*>("Command1")->click();
        QApplication::processEvents();
        EXPECT_FALSE(view.isVisible());
    }
    PrtKAPRODIAGN form(g, dialogs);
    PrtKAPRODIAGNView view(form);
    form.Form_Load();
    EXPECT_EQ(view.findChild<QLineEdit*>("CopiesBox")->text(), "1");
}

} // namespace
