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

TEST_F(SheetViewsTest, ScreenshotsOfTheThreeSheetsInItalianAndEnglish) {
    for (int code : {1, 2}) {
        useLanguage(code);
        const QString language = code == 1 ? "it" : "en";
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

} // namespace
