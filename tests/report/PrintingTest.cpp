#include "RecordingPrinter.h"

#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include "ui/Printing.h"

#include <QFile>
#include <QWidget>

namespace {

class PrintingTest : public StationDirsTest {
  protected:
    void TearDown() override {
        ui::QtWindowPrinter::redirectToPdf(QString());
        StationDirsTest::TearDown();
    }
};

TEST_F(PrintingTest, NoCopiesPrintsNothing) {
    QWidget window;
    const QString pdf = programFile("pages.pdf");
    ui::QtWindowPrinter::redirectToPdf(pdf);
    ui::QtWindowPrinter printer(&window);

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
