#include "GasWindowFixture.h"

#include "gas/ANGASView.h"
#include "lang/LanguageTexts.h"
#include "support/ViewHelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

const QByteArray LiveValues = Fields({"0.18", "0.19", "14.6", "57", "0.42", "1.008", "86.4", "812", "38"});

class GasViewTest : public GasWindowTest {
  protected:
    void TearDown() override {
        view.reset();
        GasWindowTest::TearDown();
    }

    void openInLanguage(int code) {
        installLanguageFile();
        LoadLanguageTexts(g, code);
        g.settings.LanguageCode = static_cast<std::int16_t>(code);
        view.reset();
        openWindow();
        view = std::make_unique<ANGASView>(*form);
    }

    template <typename Widget> Widget* widget(const char* name) const {
        return view->findChild<Widget*>(QString::fromLatin1(name));
    }

  public:
    // The states the screenshots show.
    void warmingUp() {
        mctcStartUp();
        mctcStatus(1);
    }

    void measuringLive() {
        mctcStartUp();
        mctcStatus(8);
        exchangeMctc("@RS", "@RS", QByteArray("\0\x17\0", 3));
        exchangeMctc("@VA", "@VA", LiveValues);
        mctcStatus(8);
    }

    void analyserError() {
        mctcStartUp();
        mctcStatus(2);
        // Faulty CO and HC channels.
        exchangeMctc("@RS", "@RS", QByteArray("\x23\x17\x05", 3));
        exchangeMctc("@VA", "@VA", LiveValues);
        mctcStatus(2);
    }

  protected:
    std::unique_ptr<ANGASView> view;
};

TEST_F(GasViewTest, WidgetsFollowTheFormAndForwardTheOperator) {
    openInLanguage(1);
    view->show();
    warmingUp();
    EXPECT_EQ(widget<QLabel>("Label5")->text(), "Riscaldamento");
    EXPECT_EQ(widget<QLabel>("Label8")->text(), form->Label8.caption());
    EXPECT_EQ(view->windowTitle(), "Analisi gas");
    EXPECT_EQ(widget<QComboBox>("Combo1")->currentText(), "BENZINA CAT");
    EXPECT_FALSE(widget<QLabel>("Label38")->isVisible());

    widget<QPushButton>("Command7")->click();
    EXPECT_TRUE(form->LogOn);
    EXPECT_EQ(widget<QPushButton>("Command7")->text(), "LOG ON");

    // Choosing certification in the list runs the list's handler.
    QComboBox* testType = widget<QComboBox>("Combo4");
    emit testType->activated(0);
    EXPECT_EQ(form->TProve, 0);
    EXPECT_FALSE(widget<QPushButton>("Command2")->isEnabled());

    // The form's own selections do not: a status reply choosing a fuel sends nothing.
    form->Combo1.setListIndex(3);
    EXPECT_EQ(widget<QComboBox>("Combo1")->currentIndex(), 3);
    EXPECT_EQ(form->PendingRequest, "");

    widget<QPushButton>("CmdOut1")->click();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(g.app.GasWindowActive, 0);
    EXPECT_FALSE(port->PortOpen());
}

TEST_F(GasViewTest, ScreenshotsWarmingUpMeasuringAndAnalyserError) {
    struct Shot {
        const char* name;
        int language;
        void (GasViewTest::*drive)();
        const char* state;
    };
    const Shot shots[] = {
        {"gas-warmup-it.png", 1, &GasViewTest::warmingUp, "Riscaldamento"},
        {"gas-warmup-en.png", 2, &GasViewTest::warmingUp, "Warming up"},
        {"gas-measuring-it.png", 1, &GasViewTest::measuringLive, "Misura"},
        {"gas-measuring-en.png", 2, &GasViewTest::measuringLive, "Measurement"},
        {"gas-error-it.png", 1, &GasViewTest::analyserError, "StandBy"},
        {"gas-error-en.png", 2, &GasViewTest::analyserError, "StandBy"},
    };
    for (const Shot& shot : shots) {
        SCOPED_TRACE(shot.name);
        openInLanguage(shot.language);
        (this->*shot.drive)();
        EXPECT_EQ(widget<QLabel>("Label5")->text(), shot.state);
        EXPECT_TRUE(saveScreenshot(view.get(), QString::fromLatin1(shot.name)));
    }
    EXPECT_EQ(form->Label27.backColor(), ui::colour::Red);
    EXPECT_EQ(widget<QLabel>("Label27")->text(), "Faulty analyser channels: CO HC");
}

} // namespace
