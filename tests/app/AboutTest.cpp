#include "app/frmAboutView.h"
#include "lang/LanguageTexts.h"
#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/ViewHelpers.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {

// A machine whose PATH holds exactly the given tools.
struct FakeMachine {
    QStringList installed;
    bool startWorks = true;
    QStringList started;

    SystemInfoTool tool() {
        return SystemInfoTool(
            [this](const QString& name) { return installed.contains(name) ? "/usr/bin/" + name : QString(); },
            [this](const QString& program) {
                started << program;
                return startWorks;
            });
    }
};

} // namespace

class AboutTest : public StationDirsTest {
  protected:
    Globals g;
    RecordingDialogs dialogs;
};

TEST_F(AboutTest, ShowsNameVersionAndDescription) {
    g.lang.UiText[83] = "Software per stazioni di analisi gas e fumi";
    FakeMachine machine;
    frmAbout form(g, dialogs, machine.tool(), ProgramVersion{2, 1, 7});
    form.Form_Load();
    EXPECT_EQ(form.Me.caption(), "Quaveron Info");
    EXPECT_EQ(form.lblTitle.caption(), "Quaveron");
    EXPECT_EQ(form.lblVersion.caption(), "Ver. 2.1.7");
    EXPECT_EQ(form.lblDescription.caption(), "Software per stazioni di analisi gas e fumi");
    EXPECT_TRUE(form.lblDisclaimer.caption().isEmpty());
}

TEST_F(AboutTest, SystemInfoStartsTheFirstToolFoundOrSaysItIsUnavailable) {
    const struct {
        QStringList installed;
        bool startWorks;
        QString started;
        bool message;
    } cases[] = {
        {{}, true, "", true},
        {{"gnome-system-monitor"}, true, "/usr/bin/gnome-system-monitor", false},
        {{"gnome-system-monitor", "hardinfo"}, true, "/usr/bin/hardinfo", false},
        {{"hardinfo"}, false, "/usr/bin/hardinfo", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.installed.join(",").toStdString());
        dialogs.shown.clear();
        FakeMachine machine{c.installed, c.startWorks, {}};
        frmAbout form(g, dialogs, machine.tool());
        form.Form_Load();
        form.cmdSysInfo_Click();
        EXPECT_EQ(machine.started, c.started.isEmpty() ? QStringList() : QStringList{c.started});
        if (c.message) {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].text, "Le informazioni sul sistema non sono attualmente disponibili.");
            EXPECT_EQ(dialogs.shown[0].buttons, ui::Buttons::Ok);
        } else {
            EXPECT_TRUE(dialogs.shown.empty());
        }
        EXPECT_FALSE(form.Me.closeRequested());
    }
}

TEST_F(AboutTest, ViewInItalianAndEnglishAndOkCloses) {
    installLanguageFile();
    QDir(program.path()).mkpath("Immagini");
    ASSERT_TRUE(QFile::copy(sourceDataPath("Immagini/Logo.png"), programFile("Immagini/Logo.png")));
    for (const auto& [code, suffix] : {std::pair{1, "it"}, std::pair{2, "en"}}) {
        SCOPED_TRACE(suffix);
        LoadLanguageTexts(g, code);
        FakeMachine machine;
        frmAbout form(g, dialogs, machine.tool(), ProgramVersion{2, 1, 7});
        frmAboutView view(form);
        form.Form_Load();
        EXPECT_EQ(view.windowTitle(), "Quaveron Info");
        EXPECT_EQ(view.findChild<QLabel*>("lblVersion")->text(), "Ver. 2.1.7");
        EXPECT_EQ(view.findChild<QLabel*>("lblDescription")->text(), g.lang.UiText[83]);
        EXPECT_FALSE(g.lang.UiText[83].isEmpty());
        EXPECT_FALSE(view.findChild<QLabel*>("picIcon")->pixmap().isNull());
        EXPECT_TRUE(saveScreenshot(&view, QStringLiteral("app-frmAbout-%1.png").arg(suffix)));
        view.findChild<QPushButton*>("cmdOK")->click();
        EXPECT_FALSE(view.isVisible());
    }
}

// Clicking the logo again brings the open box forward instead of stacking another.
TEST_F(AboutTest, OneAboutBoxAtATime) {
    QPointer<frmAboutView> first = frmAboutView::showModeless(g, dialogs, nullptr);
    ASSERT_TRUE(first);
    EXPECT_EQ(frmAboutView::showModeless(g, dialogs, nullptr), first.data());
    EXPECT_TRUE(first->isVisible());
    first->findChild<QPushButton*>("cmdOK")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(first.isNull());
    QPointer<frmAboutView> second = frmAboutView::showModeless(g, dialogs, nullptr);
    ASSERT_TRUE(second);
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(second.isNull());
}
