#include "app/MessageWindowView.h"
#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/ViewHelpers.h"
#include "ui/Timer.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <functional>
#include <vector>

namespace {

enum class Closing { OkButton, CloseBox, Escape };

const char* name(Closing how) {
    switch (how) {
    case Closing::OkButton: return "OK button";
    case Closing::CloseBox: return "close box";
    case Closing::Escape: return "Escape";
    }
    return "";
}

void closeBy(Closing how, QDialog& view) {
    switch (how) {
    case Closing::OkButton: view.findChild<QPushButton*>("Command1")->click(); break;
    case Closing::CloseBox: view.close(); break;
    case Closing::Escape: {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&view, &escape);
        break;
    }
    }
}

const Closing allClosings[] = {Closing::OkButton, Closing::CloseBox, Closing::Escape};

// Counts the scheduler's restarts: a timer set running again restarts its interval.
struct WatchedScheduler {
    explicit WatchedScheduler(bool running) : timer(25, running) {
        timer.setObserver([this] { ++changes; });
    }
    ui::Timer timer;
    int changes = 0;
};

} // namespace

class MessageWindowsTest : public ::testing::Test {
  protected:
    Globals g;
    RecordingDialogs dialogs;
};

TEST_F(MessageWindowsTest, CriticRestartsTheStoppedSchedulerHoweverItCloses) {
    for (Closing how : allClosings) {
        SCOPED_TRACE(name(how));
        WatchedScheduler scheduler(false);
        g.app.SmokeScheduler = &scheduler.timer;
        g.app.CriticText = "Temperatura cella fuori campo";
        Critic form(g, dialogs);
        form.Me.setCaption("ERROR 10");
        CriticView view(form);
        form.Form_Load();
        view.show();
        EXPECT_EQ(view.windowTitle(), "ERROR 10");
        EXPECT_EQ(view.findChild<QLabel*>("Label1")->text(), "Temperatura cella fuori campo");
        EXPECT_FALSE(scheduler.timer.enabled());
        closeBy(how, view);
        EXPECT_FALSE(view.isVisible());
        EXPECT_TRUE(scheduler.timer.enabled());
    }
}

// The smoke window may already be gone when the operator acknowledges.
TEST_F(MessageWindowsTest, MessageWindowsCloseWithoutASmokeWindow) {
    g.app.SmokeScheduler = nullptr;
    Critic critic(g, dialogs);
    critic.Form_Load();
    critic.Command1_Click();
    critic.Form_Unload();
    ExclamStampa notice(g, dialogs);
    notice.Form_Load();
    notice.Command1_Click();
    notice.Form_Unload();
    EXPECT_TRUE(critic.Me.closeRequested());
    EXPECT_TRUE(notice.Me.closeRequested());
}

TEST_F(MessageWindowsTest, PrintNoticeRestartsOnlyAStoppedScheduler) {
    const struct {
        bool runningBefore;
        int restarts;
    } cases[] = {{false, 1}, {true, 0}};
    for (const auto& c : cases) {
        for (Closing how : allClosings) {
            SCOPED_TRACE(name(how));
            SCOPED_TRACE(c.runningBefore ? "running" : "stopped");
            WatchedScheduler scheduler(c.runningBefore);
            g.app.SmokeScheduler = &scheduler.timer;
            g.app.ExclamPrintText = "Inserire la carta nella stampante";
            ExclamStampa form(g, dialogs);
            ExclamStampaView view(form);
            form.Form_Load();
            view.show();
            EXPECT_EQ(view.windowTitle(), "Quaveron");
            EXPECT_EQ(form.Label1.caption(), "Inserire la carta nella stampante");
            closeBy(how, view);
            EXPECT_TRUE(scheduler.timer.enabled());
            EXPECT_EQ(scheduler.changes, c.restarts);
        }
    }
}

TEST_F(MessageWindowsTest, WarningIsFollowedByThePrintNoticeWhenTheOpacimeterAsks) {
    const struct {
        const char* operating;
        const char* slide;
        bool followUp;
    } cases[] = {
        {"00000", "00016", true},  {"00001", "00048", true}, {"00000", "00048", true},
        {"00001", "00016", false}, {"", "", false},          {"0000", "0048", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.operating) + "/" + c.slide);
        g.smoke.OperatingStatus = c.operating;
        g.smoke.SlideStatus = c.slide;
        int notices = 0;
        Exclam form(g, dialogs, [&] { ++notices; });
        form.Form_Load();
        form.Command1_Click();
        EXPECT_TRUE(form.Me.closeRequested());
        EXPECT_EQ(notices, c.followUp ? 1 : 0);
    }
}

// The warning is gone and its flag cleared before the print notice appears;
// the close box acknowledges without the follow-up.
TEST_F(MessageWindowsTest, WarningClosesAndClearsItsFlagBeforeTheNotice) {
    g.smoke.OperatingStatus = "00000";
    g.app.ExclamText = "Sonda non inserita";
    for (Closing how : allClosings) {
        SCOPED_TRACE(name(how));
        g.app.ExclamShown = -1;
        std::vector<std::pair<bool, int>> seenAtNotice;
        std::function<bool()> warningVisible;
        Exclam form(g, dialogs, [&] { seenAtNotice.emplace_back(warningVisible(), g.app.ExclamShown); });
        ExclamView view(form);
        warningVisible = [&view] { return view.isVisible(); };
        form.Form_Load();
        view.show();
        EXPECT_EQ(view.windowTitle(), "Quaveron");
        EXPECT_EQ(view.findChild<QLabel*>("Label1")->text(), "Sonda non inserita");
        closeBy(how, view);
        EXPECT_EQ(g.app.ExclamShown, 0);
        if (how == Closing::OkButton) {
            ASSERT_EQ(seenAtNotice.size(), 1u);
            EXPECT_FALSE(seenAtNotice[0].first);
            EXPECT_EQ(seenAtNotice[0].second, 0);
        } else {
            EXPECT_TRUE(seenAtNotice.empty());
        }
    }
}

TEST_F(MessageWindowsTest, Screenshots) {
    g.app.CriticText = "Temperatura cella troppo bassa: attendere il riscaldamento dello strumento.";
    g.app.ExclamText = "Sonda non inserita nello scarico.";
    g.app.ExclamPrintText = QString::fromUtf8("Prova terminata: è possibile stampare il referto.");
    Critic critic(g, dialogs);
    critic.Me.setCaption("ERROR 10");
    CriticView criticView(critic);
    critic.Form_Load();
    EXPECT_TRUE(saveScreenshot(&criticView, "app-Critic.png"));
    Exclam warning(g, dialogs, nullptr);
    ExclamView warningView(warning);
    warning.Form_Load();
    EXPECT_TRUE(saveScreenshot(&warningView, "app-Exclam.png"));
    ExclamStampa notice(g, dialogs);
    ExclamStampaView noticeView(notice);
    notice.Form_Load();
    EXPECT_TRUE(saveScreenshot(&noticeView, "app-ExclamStampa.png"));
}
