// The smoke window on screen: widgets follow the form, clicks reach it, and
// pictures of the window in its main situations, in Italian and English.

#include "SmokeWindowFixture.h"

#include "lang/LanguageTexts.h"
#include "smoke/ANFUMOView.h"
#include "support/ViewHelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

class ANFUMOViewTest : public SmokeWindowTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        SmokeWindowTest::SetUp();
        installLanguageFile();
        LoadLanguageTexts(g, GetParam());
        g.settings.LanguageCode = static_cast<std::int16_t>(GetParam());
    }
    QString suffix() const { return GetParam() == 2 ? "-en.png" : "-it.png"; }
    void shoot(const QString& name) {
        ANFUMOView view(*form);
        EXPECT_TRUE(saveScreenshot(&view, name + suffix()));
        // Every reading and message label is laid out with room for its text.
        for (const QLabel* label : view.findChildren<QLabel*>()) {
            if (label->isVisible() && !label->wordWrap()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString();
            }
        }
    }
    void accelerate(double peakK) {
        script.rpm = 800;
        script.k = 0.1;
        ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "AVVIO" || form->TestPhase == "UNO"; }));
        script.rpm = 4000;
        script.k = peakK;
        ASSERT_TRUE(tickUntil([&] { return form->TestPhase != "UNO" && form->TestPhase != "AVVIO"; }));
        ASSERT_TRUE(tickUntil([&] { return form->TestPhase != "DUE"; }));
        script.rpm = 800;
        script.k = 0.1;
    }
};

TEST_P(ANFUMOViewTest, WarmingUp) {
    script.status = 1;
    script.cell = 45;
    openWindow(MctcModel);
    tick(12);
    shoot("smoke-warmup");
}

TEST_P(ANFUMOViewTest, TestInProgressAndVerdict) {
    openWindow(MctcModel);
    reachMeasuring();
    startTest(ANFUMO::SpeedTriggered);
    accelerate(1.12);
    accelerate(1.31);
    script.rpm = 800;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "UNO"; }));
    script.rpm = 4000;
    script.k = 1.05;
    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == "DUE"; }));
    tick(6);
    shoot("smoke-test");

    ASSERT_TRUE(tickUntil([&] { return form->TestPhase == " "; }));
    EXPECT_EQ(form->Label33.caption(), g.lang.UiText[135]);
    shoot("smoke-verdict");
}

TEST_P(ANFUMOViewTest, Alarm) {
    script.stateCode = 128;
    script.alarm = 40;
    openWindow(0);
    ASSERT_TRUE(tickUntil([&] { return form->AlarmActive == 1; }));
    tick(2);
    shoot("smoke-alarm");
}

TEST_P(ANFUMOViewTest, ClicksAndSelectionsReachTheForm) {
    openWindow(MctcModel);
    ANFUMOView view(*form);
    view.show();
    auto* log = view.findChild<QPushButton*>("Command7");
    ASSERT_NE(log, nullptr);
    log->click();
    EXPECT_TRUE(form->LogEnabled);
    EXPECT_EQ(log->text(), "LOG ON");

    auto* combo = view.findChild<QComboBox*>("Combo1");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 7);
    combo->setCurrentIndex(ANFUMO::Manual);
    emit combo->activated(ANFUMO::Manual);
    EXPECT_EQ(form->MeasureSelection, ANFUMO::Manual);

    auto* status = view.findChild<QLabel*>("Label2");
    form->Label2.setCaption("ERRORE COM");
    EXPECT_EQ(status->text(), "ERRORE COM");
    auto* row = view.findChild<QLabel*>("Label37_5");
    ASSERT_NE(row, nullptr);
    form->Label37[5].setCaption("O-RANGE");
    EXPECT_EQ(row->text(), "O-RANGE");
    view.close();
}

INSTANTIATE_TEST_SUITE_P(Languages, ANFUMOViewTest, ::testing::Values(1, 2),
                         [](const auto& info) { return info.param == 2 ? "English" : "Italian"; });

} // namespace
