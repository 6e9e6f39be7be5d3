#include "PdfPages.h"
#include "RecordingPrinter.h"

#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include "ui/Printing.h"

#include <QFile>
#include <QPalette>
#include <QWidget>

namespace {

// A white window with a black block on the left and one on the right.
struct TwoBlockWindow {
    QWidget window;
    QWidget* left;
    QWidget* right;
    TwoBlockWindow() {
        window.resize(400, 300);
        window.setAutoFillBackground(true);
        QPalette paper = window.palette();
        paper.setColor(QPalette::Window, Qt::white);
        window.setPalette(paper);
        left = block(QRect(20, 20, 150, 260));
        right = block(QRect(230, 20, 150, 260));
    }
    QWidget* block(const QRect& place) {
        auto* child = new QWidget(&window);
        child->setGeometry(place);
        child->setAutoFillBackground(true);
        QPalette ink = child->palette();
        ink.setColor(QPalette::Window, Qt::black);
        child->setPalette(ink);
        return child;
    }
};

class PrintingTest : public StationDirsTest {
  protected:
    void TearDown() override {
        ui::QtWindowPrinter::redirectToPdf(QString());
        StationDirsTest::TearDown();
    }
};

TEST_F(PrintingTest, EachCopyIsOnePageOfTheWindowWithoutItsHiddenControls) {
    TwoBlockWindow sheet;
    sheet.window.show();
    sheet.right->hide();
    const QString pdf = programFile("pages.pdf");
    ui::QtWindowPrinter::redirectToPdf(pdf);
    ui::QtWindowPrinter printer(&sheet.window);

    ASSERT_EQ(printer.printWindow(3), ui::PrintOutcome::Printed);

    EXPECT_EQ(pdfPageCount(readBytes(pdf)), 3);
    const QVector<QImage> pages = renderPdfPages(pdf);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[1], pages[0]);
    EXPECT_EQ(pages[2], pages[0]);
    // The window fills the page's width: its left half is inked, the hidden block's half is bare paper.
    const QImage& page = pages[0];
    const int windowHeight = page.width() * 300 / 400;
    EXPECT_TRUE(hasInk(page, QRect(page.width() / 10, windowHeight / 4, page.width() / 5, windowHeight / 2)));
    EXPECT_FALSE(hasInk(page, QRect(page.width() * 6 / 10, windowHeight / 4, page.width() / 5, windowHeight / 2)));
    EXPECT_FALSE(hasInk(page, QRect(0, windowHeight + 10, page.width(), page.height() - windowHeight - 10)));
}

TEST_F(PrintingTest, NoCopiesPrintsNothing) {
    TwoBlockWindow sheet;
    const QString pdf = programFile("pages.pdf");
    ui::QtWindowPrinter::redirectToPdf(pdf);
    ui::QtWindowPrinter printer(&sheet.window);

    EXPECT_EQ(printer.printWindow(0), ui::PrintOutcome::Printed);
    EXPECT_EQ(printer.printWindow(-2), ui::PrintOutcome::Printed);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintingTest, AWindowThatIsGoneLeavesAnEmptyPage) {
    auto* window = new QWidget;
    ui::QtWindowPrinter::redirectToPdf(programFile("pages.pdf"));
    ui::QtWindowPrinter printer(window);
    delete window;
    EXPECT_EQ(printer.printWindow(1), ui::PrintOutcome::Printed);
    EXPECT_TRUE(printer.lastPageImage().isNull());
}

struct OfferCase {
    const char* name;
    ui::PrintOutcome printAnswer;
    ui::Answer operatorAnswer;
    ui::PrintOutcome pdfAnswer;
    ui::PrintOutcome expected;
    size_t messages;
    size_t saves;
};

class PrintOrOfferPdfTest : public ::testing::TestWithParam<OfferCase> {};

TEST_P(PrintOrOfferPdfTest, FallsBackToAPdfOnlyWhenTheOperatorWantsIt) {
    const OfferCase& c = GetParam();
    RecordingPrinter printer;
    printer.printAnswer = c.printAnswer;
    printer.pdfAnswer = c.pdfAnswer;
    RecordingDialogs dialogs;
    dialogs.answers = {c.operatorAnswer, ui::Answer::Ok};

    EXPECT_EQ(ui::printOrOfferPdf(printer, dialogs, 2, 2), c.expected);

    EXPECT_EQ(printer.printedCopies, std::vector<int>{2});
    EXPECT_EQ(dialogs.shown.size(), c.messages);
    EXPECT_EQ(printer.savedCopies.size(), c.saves);
    if (c.saves > 0) {
        EXPECT_EQ(printer.savedCopies.front(), 2);
    }
    if (!dialogs.shown.empty()) {
        EXPECT_EQ(dialogs.shown.front().buttons, ui::Buttons::YesNo);
        EXPECT_TRUE(dialogs.shown.front().text.contains("PDF"));
    }
}

INSTANTIATE_TEST_SUITE_P(Outcomes, PrintOrOfferPdfTest,
                         ::testing::Values(OfferCase{"Printed", ui::PrintOutcome::Printed, ui::Answer::Yes,
                                                     ui::PrintOutcome::Printed, ui::PrintOutcome::Printed, 0, 0},
                                           OfferCase{"NoPrinterDeclined", ui::PrintOutcome::NoPrinter, ui::Answer::No,
                                                     ui::PrintOutcome::Printed, ui::PrintOutcome::Cancelled, 1, 0},
                                           OfferCase{"NoPrinterSaved", ui::PrintOutcome::NoPrinter, ui::Answer::Yes,
                                                     ui::PrintOutcome::Printed, ui::PrintOutcome::Printed, 1, 1},
                                           OfferCase{"FailedNoFileChosen", ui::PrintOutcome::Failed, ui::Answer::Yes,
                                                     ui::PrintOutcome::Cancelled, ui::PrintOutcome::Cancelled, 1, 1},
                                           OfferCase{"FailedPdfFailedToo", ui::PrintOutcome::Failed, ui::Answer::Yes,
                                                     ui::PrintOutcome::Failed, ui::PrintOutcome::Failed, 2, 1}),
                         [](const ::testing::TestParamInfo<OfferCase>& info) { return std::string(info.param.name); });

} // namespace
