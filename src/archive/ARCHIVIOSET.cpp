#include "archive/ARCHIVIOSET.h"

#include "archive/ServerTexts.h"
#include "lang/LanguageTexts.h"
#include "settings/ConfFile.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"

#include <chrono>

namespace {

// Green that reads on the window's grey face.
constexpr ui::Colour DarkGreen = 0x008000;

} // namespace

ARCHIVIOSET::ARCHIVIOSET(Globals& g, ui::Dialogs& dialogs) : g_(g), dialogs_(dialogs) {
    Timer1.setHandler([this] { Timer1_Timer(); });
}

// A test still running is waited for (its timeout bounds the wait): its thread
// must not outlive the program's connections and plugins.
ARCHIVIOSET::~ARCHIVIOSET() = default;

QString ARCHIVIOSET::text(const char16_t* key) const {
    return NamedText(g_, key);
}

void ARCHIVIOSET::Form_Load() {
    Me.setCaption(text(u"ARCHIVIOSETTitolo"));
    Label7.setCaption(text(u"ARCHIVIOSETTipo"));
    Label1.setCaption(text(u"ARCHIVIOSETHost"));
    Label2.setCaption(text(u"ARCHIVIOSETPorta"));
    Label3.setCaption(text(u"ARCHIVIOSETDatabase"));
    Label4.setCaption(text(u"ARCHIVIOSETUtente"));
    Label5.setCaption(text(u"ARCHIVIOSETCorsia"));
    Label6.setCaption(text(u"ARCHIVIOSETFilePassword"));
    Command1.setCaption(text(u"ARCHIVIOSETProva"));
    Command2.setCaption(text(u"ARCHIVIOSETSalva"));
    Combo1.setItems({text(u"ARCHIVIOSETSQLite"), text(u"ARCHIVIOSETServer")});

    const ArchiveSettings& a = g_.settings.Archive;
    Combo1.setListIndex(a.usesServer() ? CentreServer : LocalFile);
    Text1.setText(a.host);
    Text2.setText(QString::number(a.port));
    Text3.setText(a.database);
    Text4.setText(a.user);
    Text5.setText(a.lane);
    Text6.setText(a.passwordFile);
    Label8.setCaption(QString());
    Label9.setCaption(QString());
    showKind();
}

void ARCHIVIOSET::showKind() {
    const bool server = Combo1.listIndex() == CentreServer;
    for (ui::TextBox* box : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6})
        box->setEnabled(server);
    Command1.setEnabled(server && !testing());
    Command2.setEnabled(!testing());
    Command3.setEnabled(!testing());
}

void ARCHIVIOSET::Combo1_Click() {
    showKind();
}

std::optional<ArchiveSettings> ARCHIVIOSET::readBoxes() {
    ArchiveSettings s = g_.settings.Archive;
    s.kind = Combo1.listIndex() == CentreServer ? ArchiveSettings::Kind::PostgreSQL : ArchiveSettings::Kind::SQLite;
    s.host = Text1.text().trimmed();
    s.database = Text3.text().trimmed();
    s.user = Text4.text().trimmed();
    s.lane = Text5.text().trimmed();
    s.passwordFile = Text6.text().trimmed();
    bool number = false;
    const int port = Text2.text().trimmed().toInt(&number);
    const bool portValid = number && port >= 1 && port <= 65535;
    if (portValid)
        s.port = port;
    // The local file needs none of the server's fields: they are kept as typed
    // for the day the lane joins the server, and a bad port keeps the last good one.
    if (!s.usesServer())
        return s;

    const auto refuse = [this](const QString& why) {
        dialogs_.message(why, Me.caption(), ui::Icon::Exclamation);
        return std::nullopt;
    };
    if (!portValid)
        return refuse(text(u"ARCHIVIOSETPortaErrata"));
    const std::pair<const QString*, const ui::Label*> required[] = {
        {&s.host, &Label1}, {&s.database, &Label3}, {&s.user, &Label4}, {&s.lane, &Label5}, {&s.passwordFile, &Label6}};
    for (const auto& [value, caption] : required)
        if (value->isEmpty())
            return refuse(text(u"ARCHIVIOSETManca").arg(caption->caption()));
    if (s.lane.size() > LaneLimit)
        return refuse(text(u"ARCHIVIOSETCorsiaLunga").arg(LaneLimit));
    return s;
}

void ARCHIVIOSET::Command1_Click() {
    if (testing() || Combo1.listIndex() != CentreServer)
        return;
    const std::optional<ArchiveSettings> settings = readBoxes();
    if (!settings)
        return;
    Label8.setForeColor(ui::colour::SystemText);
    Label8.setCaption(text(u"ARCHIVIOSETInCorso"));
    Label9.setCaption(QString());
    check_ = std::async(std::launch::async, [s = *settings] { return archive::CheckServerConnection(s); });
    Timer1.setEnabled(true);
    showKind();
}

void ARCHIVIOSET::Timer1_Timer() {
    if (!testing() || check_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    Timer1.setEnabled(false);
    showResult(check_.get());
    showKind();
}

void ARCHIVIOSET::showResult(const archive::ServerCheck& check) {
    Label8.setForeColor(check.ok() ? DarkGreen : ui::colour::Red);
    Label8.setCaption(archive::ServerProblemText(g_, check.problem));
    // The server's words are shown as they stand, ampersands included.
    Label9.setCaption(check.detail.trimmed().replace(u'&', QStringLiteral("&&")));
}

void ARCHIVIOSET::Command2_Click() {
    if (testing())
        return;
    const std::optional<ArchiveSettings> settings = readBoxes();
    if (!settings)
        return;
    const ArchiveSettings previous = g_.settings.Archive;
    g_.settings.Archive = *settings;
    if (!SaveArchiveSettings(g_)) {
        g_.settings.Archive = previous;
        dialogs_.message(text(u"ARCHIVIOSETNonSalvato"), Me.caption(), ui::Icon::Critical);
        return;
    }
    // The archive in use was opened at start-up; switching it under a running test is not worth the risk.
    dialogs_.message(text(u"ARCHIVIOSETRiavvio"), Me.caption(), ui::Icon::Information);
    Me.requestClose();
}

void ARCHIVIOSET::Command3_Click() {
    if (!testing())
        Me.requestClose();
}

bool ARCHIVIOSET::Form_QueryUnload() {
    return !testing();
}
