#include "smoke/LIMITI.h"
#include "lang/LanguageTexts.h"
#include "shared/Globals.h"
#include "smoke/LIMITIView.h"
#include "support/RecordingDialogs.h"
#include "support/ViewHelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <limits>

namespace {

class LimitiTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        QLocale::setDefault(QLocale::c());
        installLanguageFile();
        LoadLanguageTexts(g, 1);
        g.settings.LimitRpmMin = 850;
        g.settings.LimitRpmMax = 3200;
        g.settings.OpacityThreshold = 0.8;
        g.settings.OpacityLimitK = 2.1;
        g.smoke.EngineSpeed = 780;
        Command2.setEnabled(false);
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::system());
        StationDirsTest::TearDown();
    }

    // The smoke window's start button, as the window hands it over.
    std::function<void()> enableStart() {
        return [this] { Command2.setEnabled(true); };
    }

    void type(LIMITI& form, const char* rpmMin, const char* rpmMax, const char* threshold, const char* limitK) {
        form.Text1.setText(rpmMin);
        form.Text2.setText(rpmMax);
        form.Text3.setText(threshold);
        form.Text4.setText(limitK);
    }

    void expectLimitsUnchanged() {
        EXPECT_FLOAT_EQ(g.settings.LimitRpmMin, 850);
        EXPECT_FLOAT_EQ(g.settings.LimitRpmMax, 3200);
        EXPECT_DOUBLE_EQ(g.settings.OpacityThreshold, 0.8);
        EXPECT_DOUBLE_EQ(g.settings.OpacityLimitK, 2.1);
    }

    Globals g;
    RecordingDialogs dialogs;
    ui::Button Command2;
};

TEST_F(LimitiTest, LoadShowsTheLimitsInForceWithTheirCaptions) {
    LIMITI form(g, dialogs, enableStart());
    form.Form_Load();
    EXPECT_EQ(form.Text1.text(), "850");
    EXPECT_EQ(form.Text2.text(), "3200");
    EXPECT_EQ(form.Text3.text(), "0.8");
    EXPECT_EQ(form.Text4.text(), "2.1");
    EXPECT_EQ(form.Me.caption(), "Impostazione limiti");
    EXPECT_EQ(form.Label1.caption(), "RPMmin");
    EXPECT_EQ(form.Label3.caption(), QString::fromUtf8("Soglia opacità k (m-1)"));
    EXPECT_EQ(form.Label4.caption(), "Valore limite k (m-1)");
    EXPECT_EQ(form.CmdApl.caption(), "&Applica");
}

TEST_F(LimitiTest, ApplyStoresTheFourValuesAndCloses) {
    LIMITI form(g, dialogs, enableStart());
    form.Form_Load();
    type(form, "900", "2800.5", "0.65", "1.75");
    form.CmdApl_Click();
    EXPECT_FLOAT_EQ(g.settings.LimitRpmMin, 900);
    EXPECT_FLOAT_EQ(g.settings.LimitRpmMax, 2800.5f);
    EXPECT_DOUBLE_EQ(g.settings.OpacityThreshold, 0.65);
    EXPECT_DOUBLE_EQ(g.settings.OpacityLimitK, 1.75);
    EXPECT_TRUE(form.Me.closeRequested());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(LimitiTest, ApplyEnablesStartOnlyWithTheEngineBelowTheNewIdleThreshold) {
    const struct {
        double engineSpeed;
        const char* rpmMin;
        bool enabled;
    } cases[] = {
        {1000, "1000", false},                             // exactly at the threshold is not below it
        {999, "1000", true},         {1000, "1001", true}, // the value just typed counts
        {1000.00001, "1000", false}, {std::numeric_limits<double>::quiet_NaN(), "1000", false},
        {1e300, "1000", false},
    };
    for (const auto& c : cases) {
        Command2.setEnabled(false);
        g.smoke.EngineSpeed = c.engineSpeed;
        LIMITI form(g, dialogs, enableStart());
        form.Form_Load();
        form.Text1.setText(c.rpmMin);
        form.CmdApl_Click();
        EXPECT_EQ(Command2.enabled(), c.enabled) << c.engineSpeed << " against " << c.rpmMin;
    }
}

TEST_F(LimitiTest, EntryThatIsNotANumberIsNamedAndNothingIsStored) {
    const struct {
        int box;
        const char* text;
    } cases[] = {{1, "mille"}, {1, ""}, {1, "1e40"}, {2, "3000rpm"}, {3, "0,5,"}, {4, "- - -"}, {4, "nan"}};
    for (const auto& c : cases) {
        dialogs.shown.clear();
        LIMITI form(g, dialogs, enableStart());
        form.Form_Load();
        type(form, "999", "2999", "0.4", "1.1");
        ui::TextBox* boxes[] = {&form.Text1, &form.Text2, &form.Text3, &form.Text4};
        const ui::Label* captions[] = {&form.Label1, &form.Label2, &form.Label3, &form.Label4};
        boxes[c.box - 1]->setText(c.text);
        form.CmdApl_Click();

        SCOPED_TRACE(c.text);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_TRUE(dialogs.shown[0].text.startsWith(captions[c.box - 1]->caption() + ": "))
            << dialogs.shown[0].text.toStdString();
        EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Exclamation);
        EXPECT_FALSE(form.Me.closeRequested());
        EXPECT_FALSE(Command2.enabled());
        expectLimitsUnchanged();
    }
}

TEST_F(LimitiTest, RefusalSpeaksTheOperatorsLanguage) {
    g.settings.LanguageCode = 2;
    LoadLanguageTexts(g, 2);
    LIMITI form(g, dialogs, enableStart());
    form.Form_Load();
    form.Text4.setText("k");
    form.CmdApl_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Limit value k (m-1): not a valid number");
}

TEST_F(LimitiTest, DecimalCommaUnderAnItalianLocale) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    LIMITI form(g, dialogs, enableStart());
    form.Form_Load();
    EXPECT_EQ(form.Text3.text(), "0,8");
    form.Text4.setText("1,35");
    form.CmdApl_Click();
    EXPECT_DOUBLE_EQ(g.settings.OpacityLimitK, 1.35);
}

TEST_F(LimitiTest, CloseBoxDiscardsAndReopeningShowsTheLastApplied) {
    {
        LIMITI form(g, dialogs, enableStart());
        LIMITIView view(form);
        form.Form_Load();
        view.show();
        typeInto(view.findChild<QLineEdit*>("Text2"), "4000");
        view.findChild<QPushButton*>("CmdApl")->click();
        EXPECT_FALSE(view.isVisible());
    }
    EXPECT_FLOAT_EQ(g.settings.LimitRpmMax, 4000);
    Command2.setEnabled(false);
    {
        LIMITI form(g, dialogs, enableStart());
        LIMITIView view(form);
        form.Form_Load();
        view.show();
        EXPECT_EQ(view.findChild<QLineEdit*>("Text2")->text(), "4000");
        typeInto(view.findChild<QLineEdit*>("Text1"), "5000");
        typeInto(view.findChild<QLineEdit*>("Text4"), "9");
        EXPECT_TRUE(view.close());
    }
    EXPECT_FLOAT_EQ(g.settings.LimitRpmMin, 850);
    EXPECT_DOUBLE_EQ(g.settings.OpacityLimitK, 2.1);
    EXPECT_FALSE(Command2.enabled());
}

TEST_F(LimitiTest, WindowInItalianAndEnglish) {
    for (const auto& [code, suffix] : {std::pair{1, "it"}, std::pair{2, "en"}}) {
        SCOPED_TRACE(suffix);
        LoadLanguageTexts(g, code);
        LIMITI form(g, dialogs, enableStart());
        LIMITIView view(form);
        form.Form_Load();
        EXPECT_FALSE(view.windowTitle().isEmpty());
        for (const QLabel* label : view.findChildren<QLabel*>())
            EXPECT_FALSE(label->text().isEmpty()) << label->objectName().toStdString();
        EXPECT_EQ(view.findChild<QLineEdit*>("Text4")->text(), "2.1");
        EXPECT_TRUE(saveScreenshot(&view, QStringLiteral("limiti-%1.png").arg(suffix)));
    }
}

} // namespace
