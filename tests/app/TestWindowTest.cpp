#include "app/TEST.h"
#include "app/TESTView.h"
#include "support/StationDirs.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

namespace {

const std::vector<PairTable::Row> FiveRows = {{1, 2}, {2, 4}, {3, 6}, {4, 8}, {5, 10}};

TEST(TestWindow, LoadFillsFivePairsAndTheChartWaitsForCommand2) {
    TEST form;
    form.Form_Load();
    EXPECT_EQ(form.Grid1.rows(), FiveRows);
    EXPECT_TRUE(form.Chart1.rows().empty());

    form.Command2_Click();
    EXPECT_EQ(form.Chart1.rows(), FiveRows);

    form.Form_Load();
    EXPECT_EQ(form.Grid1.rows(), FiveRows) << "loading again must not add rows";
    EXPECT_FALSE(form.Me.closeRequested());
    form.Command1_Click();
    EXPECT_TRUE(form.Me.closeRequested());
}

QLineSeries* onlySeries(QChartView* view) {
    const auto series = view->chart()->series();
    return series.size() == 1 ? qobject_cast<QLineSeries*>(series.front()) : nullptr;
}

TEST(TestWindowView, ShowsTheGridAndDrawsItOnCommand2) {
    TEST form;
    TESTView view(form);
    form.Form_Load();
    view.show();

    auto* grid = view.findChild<QTableWidget*>("Grid1");
    auto* chart = view.findChild<QChartView*>("Chart1");
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(grid->rowCount(), 5);
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(grid->item(r, 0)->text(), QString::number(FiveRows[r].x));
        EXPECT_EQ(grid->item(r, 1)->text(), QString::number(FiveRows[r].y));
    }
    EXPECT_TRUE(chart->chart()->series().isEmpty());

    for (int press = 0; press < 2; ++press) {
        view.findChild<QPushButton*>("Command2")->click();
        QLineSeries* line = onlySeries(chart);
        ASSERT_NE(line, nullptr) << "press " << press;
        ASSERT_EQ(line->count(), 5);
        for (int r = 0; r < 5; ++r)
            EXPECT_EQ(line->at(r), QPointF(FiveRows[r].x, FiveRows[r].y));
    }

    view.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(view.isVisible());
}

TEST(TestWindowView, ModelessWindowDeletesItselfWhenClosed) {
    QWidget owner;
    TESTView::showModeless(&owner);
    auto* view = owner.findChild<TESTView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->findChild<QTableWidget*>("Grid1")->rowCount(), 5);
    QPointer<TESTView> watch(view);
    view->findChild<QPushButton*>("Command1")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    QApplication::sendPostedEvents();
}

TEST(TestWindowView, Screenshots) {
    for (const char* language : {"it", "en"}) {
        TEST form;
        TESTView view(form);
        form.Form_Load();
        form.Command2_Click();
        view.show();
        EXPECT_TRUE(view.grab().save(screenshotPath(QStringLiteral("app-test-%1.png").arg(language))));
    }
}

} // namespace
