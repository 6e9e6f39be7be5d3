// The gas limits window: what it shows, what it stores, what it refuses, and
// how its limits reach Conf.ini through the gas window.
#include "GasWindowFixture.h"

#include "gas/LIMITIAN.h"
#include "gas/LIMITIANView.h"
#include "lang/LanguageTexts.h"
#include "support/ViewHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace {

class GasLimitsWindowTest : public GasWindowTest {
  protected:
    void SetUp() override {
        GasWindowTest::SetUp();
        QLocale::setDefault(QLocale::c());
        SettingsState& s = g.settings;
        s.RPMmin = 1000;
        s.RPMmaccLI = 2000;
        s.RPMmaccLS = 2500;
        s.LambdaLI = 0.97;
        s.LambdaLS = 1.03;
        s.LCOcorMin = 0.5;
        s.LCOcorMinacc = 0.3;
        s.RpmCheck = 1;
        s.TestDurationTicks = 5800;
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::system());
        GasWindowTest::TearDown();
    }

    QStringList entries(const LIMITIAN& w) const {
        return {w.Text1.text(), w.Text2.text(),        w.Text3.text(),           w.Text4.text(),
                w.Text5.text(), w.CombCOcorMin.text(), w.CombCOcorMinacc.text(), w.Text8.text()};
    }

    void expectLimitsUnchanged() const {
        const SettingsState& s = g.settings;
        EXPECT_EQ(s.RPMmin, 1000);
        EXPECT_EQ(s.RPMmaccLS, 2500);
        EXPECT_EQ(s.LambdaLI, 0.97);
        EXPECT_EQ(s.LCOcorMin, 0.5);
        EXPECT_EQ(s.LCOcorMinacc, 0.3);
        EXPECT_EQ(s.TestDurationTicks, 5800);
    }
};

TEST_F(GasLimitsWindowTest, LoadShowsTheLimitsInForceAndTheDurationInSeconds) {
    LIMITIAN w(g, dialogs);
    w.Form_Load();
    EXPECT_EQ(entries(w), QStringList({"1000", "2000", "2500", "0.97", "1.03", "0.5", "0.3", "145"}));
    EXPECT_TRUE(w.Check1.isChecked());
    EXPECT_EQ(w.Me.caption(), ui(84));
    EXPECT_EQ(w.Label8.caption(), ui(87));
    EXPECT_EQ(w.CmdApl.caption(), ui(71));
    EXPECT_EQ(w.Check1.caption(), ui(88));
    EXPECT_EQ(w.Label6.caption(), "LCOcorMin");

    // Ticks that are not whole seconds show the nearest second.
    g.settings.TestDurationTicks = 5819;
    g.settings.RpmCheck = 0;
    w.Form_Load();
    EXPECT_EQ(w.Text8.text(), "145");
    EXPECT_FALSE(w.Check1.isChecked());
}

TEST_F(GasLimitsWindowTest, ApplyStoresEveryEntryAndTheDurationInTicks) {
    LIMITIAN w(g, dialogs);
    w.Form_Load();
    const char* typed[] = {"900", "1900", "2600", "0.95", "1.05", "3.5", "0.2"};
    ui::TextBox* boxes[] = {&w.Text1, &w.Text2, &w.Text3, &w.Text4, &w.Text5, &w.CombCOcorMin, &w.CombCOcorMinacc};
    for (int i = 0; i < 7; ++i)
        boxes[i]->setText(QString::fromLatin1(typed[i]));
    w.Text8.setText("60");
    w.CmdApl_Click();
    const SettingsState& s = g.settings;
    EXPECT_EQ(s.RPMmin, 900);
    EXPECT_EQ(s.RPMmaccLI, 1900);
    EXPECT_EQ(s.RPMmaccLS, 2600);
    EXPECT_EQ(s.LambdaLI, 0.95);
    EXPECT_EQ(s.LambdaLS, 1.05);
    EXPECT_EQ(s.LCOcorMin, 3.5);
    EXPECT_EQ(s.LCOcorMinacc, 0.2);
    EXPECT_EQ(s.TestDurationTicks, 2400);
    EXPECT_TRUE(w.Me.closeRequested());
    EXPECT_TRUE(dialogs.shown.empty());

    // 145 s is 5800 ticks; 819 s is the most 16 bits of ticks hold.
    for (const auto& [seconds, ticks] : {std::pair{"145", 5800}, {"819", 32760}, {"1", 40}}) {
        w.Text8.setText(QString::fromLatin1(seconds));
        w.CmdApl_Click();
        EXPECT_EQ(g.settings.TestDurationTicks, ticks) << seconds;
    }
}

TEST_F(GasLimitsWindowTest, EntriesFollowTheLocaleDecimalComma) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    LIMITIAN w(g, dialogs);
    w.Form_Load();
    EXPECT_EQ(w.Text4.text(), "0,97");
    EXPECT_EQ(w.CombCOcorMin.text(), "0,5");
    w.CombCOcorMin.setText(LIMITIAN::IdleCOcorrChoices.at(3));
    ASSERT_EQ(w.CombCOcorMin.text(), "0,3");
    w.Text5.setText("1,04");
    w.CmdApl_Click();
    EXPECT_DOUBLE_EQ(g.settings.LCOcorMin, 0.3);
    EXPECT_DOUBLE_EQ(g.settings.LambdaLS, 1.04);
}

TEST_F(GasLimitsWindowTest, RpmCheckActsAtOnceWhileTheOtherEntriesWaitForApply) {
    LIMITIAN w(g, dialogs);
    w.Form_Load();
    w.Text1.setText("1200");
    w.Check1.setValue(ui::CheckState::Unchecked);
    w.Check1_Click();
    EXPECT_EQ(g.settings.RpmCheck, 0);
    // Closed with the close box: no apply.
    EXPECT_TRUE(w.Form_QueryUnload());
    EXPECT_EQ(g.settings.RpmCheck, 0);
    expectLimitsUnchanged();
    w.Check1.setValue(ui::CheckState::Checked);
    w.Check1_Click();
    EXPECT_EQ(g.settings.RpmCheck, 1);
}

struct RefusedCase {
    const char* field;
    const char* text;
    const char* named;
};

class RefusedEntries : public GasLimitsWindowTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedEntries, AreNamedAndNothingIsStored) {
    const RefusedCase& c = GetParam();
    LIMITIAN w(g, dialogs);
    w.Form_Load();
    w.Text1.setText("950"); // a good entry before the bad one is not kept either
    ui::TextBox* const boxes[] = {&w.Text1, &w.Text4, &w.CombCOcorMinacc, &w.Text8};
    const char* const names[] = {"Text1", "Text4", "CombCOcorMinacc", "Text8"};
    for (int i = 0; i < 4; ++i)
        if (QLatin1String(names[i]) == QLatin1String(c.field))
            boxes[i]->setText(QString::fromLatin1(c.text));
    w.CmdApl_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QString::fromLatin1(c.named) + ": valore numerico non valido");
    EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Exclamation);
    EXPECT_FALSE(w.Me.closeRequested());
    expectLimitsUnchanged();
}

INSTANTIATE_TEST_SUITE_P(Entries, RefusedEntries,
                         ::testing::Values(RefusedCase{"Text1", "mille", "RPMmin"},
                                           RefusedCase{"Text4", "", "LambdaLI"},
                                           RefusedCase{"Text4", "-0.97", "LambdaLI"},
                                           RefusedCase{"CombCOcorMinacc", "0,3%", "LCOcorMinacc"},
                                           RefusedCase{"Text8", "820", "ui87"}, // 32800 ticks: beyond 16 bits
                                           RefusedCase{"Text8", "0", "ui87"}, RefusedCase{"Text8", "2 min", "ui87"}));

TEST_F(GasLimitsWindowTest, LimitsSurviveClosingAndReopeningTheGasWindow) {
    openWindow();
    EXPECT_EQ(g.settings.TestDurationTicks, 5800); // as Conf.ini holds them
    companions->whileLimitsShown = [this] {
        LIMITIAN w(g, dialogs);
        w.Form_Load();
        w.Text1.setText("950");
        w.CombCOcorMin.setText("0.3");
        w.Text8.setText("30");
        w.Check1.setValue(ui::CheckState::Unchecked);
        w.Check1_Click();
        w.CmdApl_Click();
    };
    form->Command5_Click();
    EXPECT_EQ(companions->limitsShown, 1);
    closeWindow();

    g.settings = SettingsState{};
    reopenWindow();
    const SettingsState& s = g.settings;
    EXPECT_EQ(s.RPMmin, 950);
    EXPECT_EQ(s.LCOcorMin, 0.3);
    EXPECT_EQ(s.TestDurationTicks, 1200);
    EXPECT_EQ(s.RpmCheck, 0);
    EXPECT_EQ(s.RPMmaccLS, 2500);
    EXPECT_EQ(s.LambdaLS, 1.03);
}

TEST_F(GasLimitsWindowTest, ViewEditsTheFormAndScreenshots) {
    installLanguageFile();
    for (const auto& [language, shot] : {std::pair{1, "gas-limits-it.png"}, {2, "gas-limits-en.png"}}) {
        SCOPED_TRACE(shot);
        LoadLanguageTexts(g, language);
        g.settings.RpmCheck = 1;
        LIMITIAN w(g, dialogs);
        LIMITIANView view(w);
        w.Form_Load();
        auto* duration = view.findChild<QLineEdit*>("Text8");
        ASSERT_NE(duration, nullptr);
        EXPECT_EQ(duration->text(), "145");
        auto* idleList = view.findChild<QComboBox*>("CombCOcorMin");
        ASSERT_NE(idleList, nullptr);
        EXPECT_EQ(idleList->count(), 4);
        EXPECT_EQ(idleList->currentText(), "0.5");
        EXPECT_TRUE(saveScreenshot(&view, QString::fromLatin1(shot)));

        // Picking an entry of the list is what the apply takes.
        idleList->setCurrentIndex(1);
        emit idleList->textActivated(idleList->itemText(1));
        EXPECT_EQ(w.CombCOcorMin.text(), "3,5");
        view.findChild<QCheckBox*>("Check1")->click();
        EXPECT_EQ(g.settings.RpmCheck, 0);
        typeInto(duration, "90");
        view.findChild<QPushButton*>("CmdApl")->click();
        EXPECT_EQ(g.settings.LCOcorMin, 3.5);
        EXPECT_EQ(g.settings.TestDurationTicks, 3600);
        EXPECT_FALSE(view.isVisible());
        g.settings.LCOcorMin = 0.5;
        g.settings.TestDurationTicks = 5800;
    }
}

} // namespace
