// The archive settings window: its connection test against a real server says
// in the operator's language what failed, the window refuses settings the
// server cannot use, and what it saves is what the next start reads.

#include "archive/ARCHIVIOSETView.h"
#include "archive/ServerTexts.h"
#include "lang/LanguageTexts.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"
#include "support/PostgresServer.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"
#include "support/ViewHelpers.h"
#include "ui/Binding.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSet>
#include <QThread>

#include <functional>

namespace {

using archive::ServerProblem;

class ArchiveSettingsWindowTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        installLanguageFile();
    }

    void load(ARCHIVIOSET& form, int language) {
        LoadLanguageTexts(g, language);
        form.Form_Load();
    }

    Globals g;
    RecordingDialogs dialogs;
};

// Ticks the poll as the window's timer would until the answer is in.
bool waitForAnswer(ARCHIVIOSET& form) {
    QElapsedTimer waited;
    waited.start();
    while (form.testing() && waited.elapsed() < 30000) {
        QThread::msleep(ARCHIVIOSET::PollMs);
        form.Timer1.tick();
    }
    return !form.testing();
}

TEST_F(ArchiveSettingsWindowTest, ConnectionTestSaysWhatFailedAndTheServersOwnWords) {
    PostgresServer server;
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    struct Case {
        const char* name;
        std::function<void(ArchiveSettings&)> change;
        ServerProblem expected;
        const char* serverSaid; // part of the detail; empty: no detail
        const char* picture;    // empty: no picture
    };
    const std::vector<Case> cases{
        {"reachable", [](ArchiveSettings&) {}, ServerProblem::None, "", ""},
        {"wrong port", [&](ArchiveSettings& s) { s.port = server.port() + 1; }, ServerProblem::Refused, "refused", ""},
        {"wrong password", [&](ArchiveSettings& s) { s.passwordFile = server.wrongPasswordFile(); },
         ServerProblem::WrongPassword, "password authentication failed", "archive-server-password"},
        {"missing database", [](ArchiveSettings& s) { s.database = "centro_nuovo"; }, ServerProblem::DatabaseMissing,
         "does not exist", "archive-server-database"},
        {"server stopped", [&](ArchiveSettings&) { ASSERT_TRUE(server.stop()); }, ServerProblem::Refused, "refused",
         "archive-server-down"},
    };
    const std::pair<int, QString> languages[] = {{1, "it"}, {2, "en"}};
    for (const Case& c : cases) {
        ArchiveSettings settings = server.settingsFor(QStringLiteral("Linea 1"));
        c.change(settings);
        for (const auto& [language, suffix] : languages) {
            SCOPED_TRACE(std::string(c.name) + " " + suffix.toStdString());
            g.settings.Archive = settings;
            ARCHIVIOSET form(g, dialogs);
            ARCHIVIOSETView view(form);
            load(form, language);
            ASSERT_TRUE(form.Command1.enabled());

            form.Command1_Click();
            // Until the answer comes the window says so and cannot be left or tested again.
            EXPECT_EQ(form.Label8.caption(), NamedText(g, u"ARCHIVIOSETInCorso"));
            EXPECT_FALSE(form.Command1.enabled());
            EXPECT_FALSE(form.Command2.enabled());
            EXPECT_FALSE(form.Command3.enabled());
            EXPECT_FALSE(form.Form_QueryUnload());
            ASSERT_TRUE(waitForAnswer(form));

            const QString said = form.Label8.caption();
            EXPECT_EQ(said, archive::ServerProblemText(g, c.expected));
            // A key missing from Lingua.ini would show as the key itself.
            EXPECT_FALSE(said.startsWith(QStringLiteral("ARCHIVIO"))) << said.toStdString();
            EXPECT_EQ(form.Label8.foreColor(), c.expected == ServerProblem::None ? 0x008000u : ui::colour::Red);
            if (*c.serverSaid)
                EXPECT_TRUE(form.Label9.caption().contains(c.serverSaid, Qt::CaseInsensitive))
                    << form.Label9.caption().toStdString();
            else
                EXPECT_TRUE(form.Label9.caption().isEmpty()) << form.Label9.caption().toStdString();
            EXPECT_TRUE(form.Command1.enabled());
            EXPECT_TRUE(form.Form_QueryUnload());
            EXPECT_TRUE(dialogs.shown.empty());

            if (!*c.picture)
                continue;
            EXPECT_TRUE(saveScreenshot(&view, QStringLiteral("%1-%2.png").arg(c.picture, suffix)));
            // Long answers wrap inside the window instead of being cut.
            for (const char* name : {"Label8", "Label9"}) {
                const auto* label = view.findChild<QLabel*>(name);
                ASSERT_NE(label, nullptr);
                EXPECT_EQ(label->text(), ui::plainCaption(name == QLatin1String("Label8") ? form.Label8.caption()
                                                                                          : form.Label9.caption()));
                EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name;
                EXPECT_LE(label->geometry().right(), view.width()) << name;
            }
        }
    }
    // Each fault has its own words, in each language.
    Globals english;
    LoadLanguageTexts(english, 2);
    QSet<QString> distinct;
    for (const ServerProblem p :
         {ServerProblem::None, ServerProblem::Refused, ServerProblem::WrongPassword, ServerProblem::DatabaseMissing})
        distinct.insert(archive::ServerProblemText(english, p));
    EXPECT_EQ(distinct.size(), 4);
}

TEST_F(ArchiveSettingsWindowTest, RefusesWhatTheServerCannotUseAndKeepsConfIniAsItWas) {
    struct Case {
        const char* name;
        std::function<void(ARCHIVIOSET&)> edit;
        QString refusal; // empty: accepted
    };
    const QString lane64(ARCHIVIOSET::LaneLimit, u'L');
    const auto missing = [this](const char16_t* caption) {
        return NamedText(g, u"ARCHIVIOSETManca").arg(NamedText(g, caption));
    };
    LoadLanguageTexts(g, 2);
    const QString badPort = NamedText(g, u"ARCHIVIOSETPortaErrata");
    const std::vector<Case> cases{
        {"port 0", [](ARCHIVIOSET& f) { f.Text2.setText("0"); }, badPort},
        {"port 65536", [](ARCHIVIOSET& f) { f.Text2.setText("65536"); }, badPort},
        {"port with decimals", [](ARCHIVIOSET& f) { f.Text2.setText("5432,5"); }, badPort},
        {"port empty", [](ARCHIVIOSET& f) { f.Text2.setText(""); }, badPort},
        {"no host", [](ARCHIVIOSET& f) { f.Text1.setText("  "); }, missing(u"ARCHIVIOSETHost")},
        {"no database", [](ARCHIVIOSET& f) { f.Text3.setText(""); }, missing(u"ARCHIVIOSETDatabase")},
        {"no user", [](ARCHIVIOSET& f) { f.Text4.setText(""); }, missing(u"ARCHIVIOSETUtente")},
        {"no lane", [](ARCHIVIOSET& f) { f.Text5.setText(""); }, missing(u"ARCHIVIOSETCorsia")},
        {"no password file", [](ARCHIVIOSET& f) { f.Text6.setText(""); }, missing(u"ARCHIVIOSETFilePassword")},
        {"lane too long", [&](ARCHIVIOSET& f) { f.Text5.setText(lane64 + "X"); },
         NamedText(g, u"ARCHIVIOSETCorsiaLunga").arg(ARCHIVIOSET::LaneLimit)},
        {"longest lane, padded fields",
         [&](ARCHIVIOSET& f) {
             f.Text5.setText(" " + lane64 + " ");
             f.Text2.setText(" 65535 ");
         },
         {}},
        // The local file needs no server: its empty fields and bad port are no reason to refuse.
        {"local file",
         [](ARCHIVIOSET& f) {
             f.Combo1.setListIndex(ARCHIVIOSET::LocalFile);
             f.Combo1_Click();
             f.Text1.setText("");
             f.Text2.setText("x");
         },
         {}},
    };
    ArchiveSettings before;
    before.kind = ArchiveSettings::Kind::PostgreSQL;
    before.host = "srv";
    before.database = "centro";
    before.user = "linea";
    before.lane = "Linea 1";
    before.passwordFile = "/etc/quaveron/password";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(workFile("Conf.ini"));
        dialogs.shown.clear();
        g.settings.Archive = before;
        ARCHIVIOSET form(g, dialogs);
        form.Form_Load();
        c.edit(form);

        if (!c.refusal.isEmpty()) {
            // The connection test refuses the same settings before it starts.
            form.Command1_Click();
            EXPECT_FALSE(form.testing());
            form.Command2_Click();
            ASSERT_EQ(dialogs.shown.size(), 2u);
            EXPECT_EQ(dialogs.shown[1].text, c.refusal);
            EXPECT_EQ(dialogs.shown[1].icon, ui::Icon::Exclamation);
            EXPECT_FALSE(QFile::exists(workFile("Conf.ini")));
            EXPECT_EQ(g.settings.Archive, before);
            EXPECT_FALSE(form.Me.closeRequested());
        } else {
            form.Command2_Click();
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown.back().text, NamedText(g, u"ARCHIVIOSETRiavvio"));
            EXPECT_TRUE(form.Me.closeRequested());
            Globals next;
            LoadArchiveSettings(next);
            EXPECT_EQ(next.settings.Archive, g.settings.Archive);
            EXPECT_LE(next.settings.Archive.lane.size(), ARCHIVIOSET::LaneLimit);
            EXPECT_EQ(next.settings.Archive.port, next.settings.Archive.usesServer() ? 65535 : before.port);
        }
    }
}

TEST_F(ArchiveSettingsWindowTest, SavedSettingsAreWhatTheNextStartReads) {
    LoadLanguageTexts(g, 1);
    ARCHIVIOSET form(g, dialogs);
    form.Form_Load();
    // A new PC: the local file, nothing to fill in and nothing to test.
    EXPECT_EQ(form.Combo1.listIndex(), ARCHIVIOSET::LocalFile);
    EXPECT_EQ(form.Text2.text(), "5432");
    for (const ui::TextBox* box : {&form.Text1, &form.Text2, &form.Text3, &form.Text4, &form.Text5, &form.Text6})
        EXPECT_FALSE(box->enabled());
    EXPECT_FALSE(form.Command1.enabled());

    form.Combo1.setListIndex(ARCHIVIOSET::CentreServer);
    form.Combo1_Click();
    EXPECT_TRUE(form.Text1.enabled());
    EXPECT_TRUE(form.Command1.enabled());
    form.Text1.setText(" archivio.centro.lan ");
    form.Text2.setText("6543");
    form.Text3.setText("revisioni");
    form.Text4.setText("linea2");
    form.Text5.setText("Linea 2 - Ingresso");
    form.Text6.setText("/home/stazione/.quaveron-password");
    form.Command2_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, NamedText(g, u"ARCHIVIOSETRiavvio"));
    EXPECT_EQ(dialogs.shown[0].icon, ui::Icon::Information);

    ArchiveSettings expected;
    expected.kind = ArchiveSettings::Kind::PostgreSQL;
    expected.host = "archivio.centro.lan";
    expected.port = 6543;
    expected.database = "revisioni";
    expected.user = "linea2";
    expected.lane = "Linea 2 - Ingresso";
    expected.passwordFile = "/home/stazione/.quaveron-password";
    EXPECT_EQ(g.settings.Archive, expected);
    const QString conf = QString::fromLatin1(readBytes(workFile("Conf.ini")));
    EXPECT_TRUE(conf.contains("[ARCHIVIO]\r\nTipo=PostgreSQL\r\n")) << conf.toStdString();
    Globals next;
    LoadArchiveSettings(next);
    EXPECT_EQ(next.settings.Archive, expected);

    // Back to the local file: the server's fields stay for another day.
    ARCHIVIOSET again(next, dialogs);
    again.Form_Load();
    EXPECT_EQ(again.Text5.text(), expected.lane);
    again.Combo1.setListIndex(ARCHIVIOSET::LocalFile);
    again.Combo1_Click();
    again.Command2_Click();
    Globals third;
    LoadArchiveSettings(third);
    expected.kind = ArchiveSettings::Kind::SQLite;
    EXPECT_EQ(third.settings.Archive, expected);
}

} // namespace
