#include "app/Password.h"
#include "RecordingWindowFactory.h"
#include "app/Menu.h"
#include "app/PasswordView.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

struct TypedCase {
    const char* name;
    QString typed;
    int result;
};

class PasswordTypedTest : public ::testing::TestWithParam<TypedCase> {};

TEST_P(PasswordTypedTest, OkAcceptsOnlyTheExactPassword) {
    Globals g;
    g.app.PasswordResult = 2;
    Password form(g);
    form.Text1.setText(GetParam().typed);
    form.OK_Click();
    EXPECT_EQ(g.app.PasswordResult, GetParam().result);
    EXPECT_TRUE(form.Me.closeRequested());
}

INSTANTIATE_TEST_SUITE_P(Texts, PasswordTypedTest,
                         ::testing::Values(TypedCase{"Exact", "TORVA", 1}, TypedCase{"LowerCase", "torva", 0},
                                           TypedCase{"MixedCase", "Torva", 0}, TypedCase{"TrailingBlank", "TORVA ", 0},
                                           TypedCase{"LeadingBlank", " TORVA", 0}, TypedCase{"Short", "TORV", 0},
                                           TypedCase{"Longer", "TORVAX", 0}, TypedCase{"Empty", "", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PasswordForm, AnnullaAndTheCloseBoxBothCountAsCancelled) {
    Globals g;
    for (int previous : {0, 1}) {
        g.app.PasswordResult = static_cast<std::int16_t>(previous);
        Password cancelled(g);
        cancelled.Annulla_Click();
        EXPECT_EQ(g.app.PasswordResult, 2);
        EXPECT_TRUE(cancelled.Me.closeRequested());

        g.app.PasswordResult = static_cast<std::int16_t>(previous);
        Password closed(g);
        EXPECT_TRUE(closed.Form_QueryUnload());
        EXPECT_EQ(g.app.PasswordResult, 2) << "an earlier result " << previous << " must not be reused";
    }
}

// The gate as the main window runs it, with the real Password form standing
// in for the modal window.
struct GateCase {
    const char* name;
    std::int16_t previousResult;
    std::function<void(Password&)> operatorAction;
    bool windowOpened;
    bool messageShown;
};

class PasswordGateTest : public ::testing::TestWithParam<GateCase> {};

TEST_P(PasswordGateTest, OpensTheProtectedWindowsOnlyForTheRightPassword) {
    const std::pair<void (Menu::*)(), QString> protectedItems[] = {{&Menu::SYSSU_Click, "system set-up"},
                                                                   {&Menu::ARCHIVIOSET_Click, "archive settings"}};
    for (const auto& [click, window] : protectedItems) {
        Globals g;
        RecordingDialogs dialogs;
        RecordingWindowFactory windows(g);
        Menu menu(g, dialogs, windows, {});
        g.app.PasswordResult = GetParam().previousResult;
        windows.whilePassword = [&] {
            Password form(g);
            GetParam().operatorAction(form);
        };

        std::invoke(click, menu);

        std::vector<QString> expected{"password"};
        if (GetParam().windowOpened)
            expected.push_back(window);
        EXPECT_EQ(windows.names(), expected) << window.toStdString();
        if (GetParam().messageShown) {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Password non Valida"));
            EXPECT_EQ(dialogs.shown[0].buttons, ui::Buttons::Ok);
        } else {
            EXPECT_TRUE(dialogs.shown.empty()) << window.toStdString();
        }
    }
}

void typeAndOk(Password& form, const QString& text) {
    form.Text1.setText(text);
    form.OK_Click();
}

INSTANTIATE_TEST_SUITE_P(
    Operator, PasswordGateTest,
    ::testing::Values(GateCase{"Right", 0, [](Password& f) { typeAndOk(f, "TORVA"); }, true, false},
                      GateCase{"LowerCase", 2, [](Password& f) { typeAndOk(f, "torva"); }, false, true},
                      GateCase{"Empty", 1, [](Password& f) { typeAndOk(f, ""); }, false, true},
                      GateCase{"Annulla", 0, [](Password& f) { f.Annulla_Click(); }, false, false},
                      GateCase{"CloseBoxAtStart", 0, [](Password& f) { f.Form_QueryUnload(); }, false, false},
                      GateCase{"CloseBoxAfterAccepted", 1, [](Password& f) { f.Form_QueryUnload(); }, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

void type(QLineEdit* edit, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

TEST(PasswordView, TypedTextIsMaskedAndOkClosesTheWindow) {
    Globals g;
    Password form(g);
    PasswordView view(form);
    view.show();
    auto* text1 = view.findChild<QLineEdit*>("Text1");
    ASSERT_NE(text1, nullptr);
    EXPECT_EQ(text1->echoMode(), QLineEdit::Password);
    type(text1, "TORVA");
    EXPECT_EQ(form.Text1.text(), QStringLiteral("TORVA"));
    EXPECT_EQ(text1->displayText(), QStringLiteral("*****"));

    view.findChild<QPushButton*>("OK")->click();
    EXPECT_EQ(g.app.PasswordResult, 1);
    EXPECT_FALSE(view.isVisible());
}

TEST(PasswordView, CloseBoxAndEscapeCancel) {
    for (bool escape : {false, true}) {
        Globals g;
        Password form(g);
        PasswordView view(form);
        view.show();
        type(view.findChild<QLineEdit*>("Text1"), "TORVA");
        if (escape) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&view, &key);
        } else {
            view.close();
        }
        EXPECT_EQ(g.app.PasswordResult, 2);
        EXPECT_FALSE(view.isVisible());
    }
}

TEST(PasswordView, Screenshots) {
    for (const char* language : {"it", "en"}) {
        Globals g;
        Password form(g);
        PasswordView view(form);
        view.show();
        type(view.findChild<QLineEdit*>("Text1"), "TOR");
        EXPECT_TRUE(view.grab().save(screenshotPath(QStringLiteral("app-password-%1.png").arg(language))));
    }
}

} // namespace
