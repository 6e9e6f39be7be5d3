#include "archive/ARCHIVIO.h"

#include "archive/LaneArchive.h"
#include "archive/ServerTexts.h"
#include "lang/LanguageTexts.h"
#include "report/ConcludedTests.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"

#include <QDate>

namespace {

constexpr int PlateText = 80; // "Targa"

struct Choice {
    ARCHIVIO::VerdictChoice choice;
    const char16_t* key;
    std::optional<ConcludedTest::Outcome> outcome;
};

constexpr std::array<Choice, 5> Choices{{
    {ARCHIVIO::AllVerdicts, u"ARCHIVIOTutti", std::nullopt},
    {ARCHIVIO::Passed, u"ARCHIVIOSuperato", ConcludedTest::Outcome::Passed},
    {ARCHIVIO::NotPassed, u"ARCHIVIONonSuperato", ConcludedTest::Outcome::NotPassed},
    {ARCHIVIO::Interrupted, u"ARCHIVIOInterrotto", ConcludedTest::Outcome::Interrupted},
    {ARCHIVIO::NoVerdict, u"ARCHIVIOSenzaEsito", ConcludedTest::Outcome::NoVerdict},
}};

const char16_t* kindKey(ConcludedTest::Kind kind) {
    switch (kind) {
    case ConcludedTest::Kind::GasCertificate: return u"ARCHIVIOGas";
    case ConcludedTest::Kind::GasDiagnosis: return u"ARCHIVIODiagnosi";
    case ConcludedTest::Kind::Smoke: return u"ARCHIVIOOpacita";
    case ConcludedTest::Kind::Chart: return u"ARCHIVIOGrafico";
    }
    return u"";
}

const char16_t* outcomeKey(ConcludedTest::Outcome outcome) {
    for (const Choice& choice : Choices)
        if (choice.outcome == outcome)
            return choice.key;
    return u"";
}

} // namespace

ARCHIVIO::ARCHIVIO(Globals& g, ui::Dialogs& dialogs, ArchiveSheetWindows& sheets, QString archivePath)
    : g_(g), dialogs_(dialogs), sheets_(sheets), path_(std::move(archivePath)) {}

ARCHIVIO::~ARCHIVIO() = default;

QString ARCHIVIO::text(const char16_t* key) const {
    return NamedText(g_, key);
}

void ARCHIVIO::Form_Load() {
    Me.setCaption(text(u"ARCHIVIOTitolo"));
    Label1.setCaption(text(u"ARCHIVIODal"));
    Label2.setCaption(text(u"ARCHIVIOAl"));
    Label3.setCaption(g_.lang.UiText[PlateText]);
    Label4.setCaption(text(u"ARCHIVIOEsito"));
    Command1.setCaption(text(u"ARCHIVIOCerca"));
    Command2.setCaption(text(u"ARCHIVIOApri"));
    Columns = text(u"ARCHIVIOColonne").split(u'|');
    Label6.setCaption(text(u"ARCHIVIOCorsia"));
    QStringList choices;
    for (const Choice& choice : Choices)
        choices << text(choice.key);
    Combo1.setItems(choices);
    Combo1.setListIndex(AllVerdicts);

    archive_ = std::make_unique<archive::ArchiveListing>(path_, g_.settings.Archive);
    // While the lane's outbox finds the server away, the window does not wait on it too.
    archive::ServerCheck away;
    if (const auto* lane = dynamic_cast<const archive::LaneArchive*>(g_.report.Archive))
        away = lane->status().problem;
    if (!archive_->open(away)) {
        dialogs_.message(text(u"ARCHIVIOErrore") + QLatin1Char('\n') + path_, Me.caption(), ui::Icon::Exclamation);
        archive_.reset();
    }
    showLanes();
    Command1_Click();
}

void ARCHIVIO::showLanes() {
    const bool lanes = g_.settings.Archive.usesServer();
    Label6.setVisible(lanes);
    Combo2.setVisible(lanes);
    if (!lanes)
        return;
    Columns.insert(1, text(u"ARCHIVIOCorsia"));
    Combo2.setItems(QStringList{text(u"ARCHIVIOTutteCorsie")} + (archive_ ? archive_->lanes() : QStringList()));
    Combo2.setListIndex(0);
}

bool ARCHIVIO::readFilter(archive::ArchiveFilter& filter) {
    for (auto [box, day] : {std::pair{&Text1, &filter.from}, std::pair{&Text2, &filter.to}}) {
        const QString typed = box->text().trimmed();
        if (typed.isEmpty())
            continue;
        *day = QDate::fromString(typed, QStringLiteral("dd/MM/yyyy"));
        if (!day->isValid()) {
            dialogs_.message(text(u"ARCHIVIODataErrata") + QLatin1Char(' ') + typed, Me.caption(),
                             ui::Icon::Exclamation);
            return false;
        }
    }
    filter.plate = Text3.text().trimmed();
    const int choice = Combo1.listIndex();
    if (choice >= 0 && choice < static_cast<int>(Choices.size()))
        filter.outcome = Choices[static_cast<size_t>(choice)].outcome;
    if (Combo2.listIndex() > 0)
        filter.lane = Combo2.text();
    return true;
}

QString ARCHIVIO::entryOf(const archive::ListedRecord& listed) const {
    const ConcludedTest& t = listed.record.test;
    QStringList cells{QString::number(listed.record.sequence),
                      t.end.toString(QStringLiteral("dd/MM/yyyy")),
                      t.end.toString(QStringLiteral("HH:mm:ss")),
                      t.plate,
                      text(kindKey(t.kind)),
                      text(outcomeKey(t.outcome)),
                      t.instrument};
    if (g_.settings.Archive.usesServer())
        cells.insert(1, listed.sent
                            ? listed.lane
                            : listed.lane + QStringLiteral(" (") + text(u"ARCHIVIODaInviare") + QLatin1Char(')'));
    return cells.join(u'\t');
}

void ARCHIVIO::Command1_Click() {
    archive::ArchiveFilter filter;
    if (!archive_ || !readFilter(filter))
        return;
    Rows = archive_->newest(filter, ListLimit);
    QStringList entries;
    int failing = 0;
    int otherLanes = 0; // records of lanes whose key this PC does not hold
    for (const archive::ListedRecord& listed : Rows) {
        entries << entryOf(listed);
        const bool noKey = listed.check.fault == archive::RecordFault::NoKey;
        otherLanes += noKey ? 1 : 0;
        failing += listed.check.ok() || noKey ? 0 : 1;
    }
    List1.setItems(entries);
    List1.setListIndex(Rows.isEmpty() ? -1 : 0);
    QString count = text(u"ARCHIVIOConteggio").arg(Rows.size()).arg(archive_->count(filter)).arg(failing);
    if (otherLanes > 0)
        count += text(u"ARCHIVIONonVerificabili").arg(otherLanes);
    // A lane whose server is away lists its own file, and says so.
    if (g_.settings.Archive.usesServer() && !archive_->listsLanes())
        count += QLatin1Char('\n') + text(u"ARCHIVIOSoloCorsia") + QLatin1Char(' ') +
                 archive::ServerProblemText(g_, archive_->serverCheck().problem);
    Label5.setCaption(count);
    Label5.setBackColor(failing > 0 ? ui::colour::Red : ui::colour::White);
}

ui::Colour ARCHIVIO::rowColour(int row) const {
    if (row < 0 || row >= Rows.size())
        return ui::colour::White;
    const archive::ListedRecord& listed = Rows[row];
    if (listed.check.fault == archive::RecordFault::NoKey)
        return ui::colour::LightGrey;
    if (!listed.check.ok())
        return ui::colour::Red;
    return listed.sent ? ui::colour::White : ui::colour::LightYellow;
}

void ARCHIVIO::Command2_Click() {
    const int row = List1.listIndex();
    if (row < 0 || row >= Rows.size())
        return;
    const archive::ListedRecord& listed = Rows[row];
    // A fresh station state holding only the test, in today's language.
    auto restored = std::make_unique<Globals>();
    restored->lang = g_.lang;
    restored->settings.LanguageCode = g_.settings.LanguageCode;
    RestoreConcludedTest(listed.record.test, *restored);
    const bool otherLanesKey = listed.check.fault == archive::RecordFault::NoKey;
    sheets_.showSheet(listed.record.test.kind, *restored, ConcludedTestDate(listed.record.test), listed.check.ok(),
                      text(otherLanesKey ? u"ARCHIVIONonVerificabile" : u"ARCHIVIONonValido"));
}
