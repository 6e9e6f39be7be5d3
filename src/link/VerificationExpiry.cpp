#include "link/VerificationExpiry.h"

#include "lang/LanguageTexts.h"
#include "settings/ConfFile.h"
#include "settings/RCLIni.h"
#include "shared/Globals.h"
#include "ui/Clock.h"

#include <QStringList>

namespace {

QString configuredExpiry(VerifiedInstrument instrument) {
    RCLIni ini;
    ini.File = SettingsPath();
    switch (instrument) {
    case VerifiedInstrument::GasAnalyser: ini.Section = QStringLiteral("COMKAPRO"); break;
    case VerifiedInstrument::Opacimeter: ini.Section = QStringLiteral("COMOPA"); break;
    case VerifiedInstrument::RevCounter: ini.Section = QStringLiteral("RPM"); break;
    }
    ini.key = QStringLiteral("Scadenza");
    return ini.GetValue() ? ini.Value : QString();
}

QString instrumentName(const Globals& g, VerifiedInstrument instrument) {
    switch (instrument) {
    case VerifiedInstrument::GasAnalyser: return NamedText(g, u"SCADENZAAnalizzatore");
    case VerifiedInstrument::Opacimeter: return NamedText(g, u"SCADENZAOpacimetro");
    case VerifiedInstrument::RevCounter: return NamedText(g, u"SCADENZAContagiri");
    }
    return {};
}

QString dateText(const std::optional<QDate>& date) {
    return date ? date->toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

bool revCounterInUse(const Globals& g) {
    return g.settings.ExternalRpm == 1 || g.settings.ExternalOilTemp == 1;
}

} // namespace

std::optional<QDate> ParseInstrumentDate(const QString& text) {
    const QStringList parts = text.trimmed().split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    bool dayOk = false;
    bool monthOk = false;
    bool yearOk = false;
    const int day = parts[0].toInt(&dayOk);
    const int month = parts[1].toInt(&monthOk);
    int year = parts[2].toInt(&yearOk);
    if (!dayOk || !monthOk || !yearOk || parts[2].size() > 4 || year < 0)
        return std::nullopt;
    if (parts[2].size() <= 2)
        year += 2000;
    const QDate date(year, month, day);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

std::optional<QDate> VerificationExpiry(const QString& instrumentDate, DateMeaning meaning,
                                        const QString& configuredExpiry, int validityMonths) {
    if (const std::optional<QDate> reported = ParseInstrumentDate(instrumentDate))
        return meaning == DateMeaning::Calibration ? reported->addMonths(validityMonths) : *reported;
    return ParseInstrumentDate(configuredExpiry);
}

ExpiryStatus ClassifyExpiry(const std::optional<QDate>& expiry, const QDate& today, int warningDays) {
    if (!expiry)
        return ExpiryStatus::Unknown;
    if (*expiry < today)
        return ExpiryStatus::Expired;
    if (today.daysTo(*expiry) <= warningDays)
        return ExpiryStatus::DueSoon;
    return ExpiryStatus::Current;
}

InstrumentVerification CheckVerification(const Globals& g, VerifiedInstrument instrument, const QString& instrumentDate,
                                         DateMeaning meaning, const QDate& today) {
    InstrumentVerification verification;
    verification.instrument = instrument;
    verification.expiry = VerificationExpiry(instrumentDate, meaning, configuredExpiry(instrument),
                                             g.settings.VerificationValidityMonths);
    verification.status = ClassifyExpiry(verification.expiry, today, g.settings.VerificationWarningDays);
    return verification;
}

void ShowVerificationLine(ui::Label& line, const Globals& g, const InstrumentVerification& verification) {
    const bool expired = verification.status == ExpiryStatus::Expired;
    const bool due = verification.status == ExpiryStatus::DueSoon;
    line.setVisible(expired || due);
    if (!expired && !due) {
        line.setCaption(QString());
        return;
    }
    line.setCaption(NamedText(g, expired ? u"SCADENZAScaduta" : u"SCADENZAVicina")
                        .arg(instrumentName(g, verification.instrument), dateText(verification.expiry)));
    line.setBackColor(expired ? ui::colour::Red : ui::colour::Orange);
}

VerificationWatch::VerificationWatch(VerifiedInstrument instrument) : instrument_(instrument) {
    InstrumentLine.setVisible(false);
    RevCounterLine.setVisible(false);
}

void VerificationWatch::instrumentReported(const QString& date, DateMeaning meaning) {
    instrumentDate_ = date;
    meaning_ = meaning;
}

void VerificationWatch::check(Globals& g) {
    LoadVerificationSettings(g);
    const QDate today = ui::Clock::today();
    checked_.clear();
    checked_.push_back(CheckVerification(g, instrument_, instrumentDate_, meaning_, today));
    ShowVerificationLine(InstrumentLine, g, checked_.back());
    if (revCounterInUse(g)) {
        checked_.push_back(CheckVerification(g, VerifiedInstrument::RevCounter, QString(), DateMeaning::Expiry, today));
        ShowVerificationLine(RevCounterLine, g, checked_.back());
    } else {
        RevCounterLine.setVisible(false);
    }
}

VerificationWatch::Start VerificationWatch::testStart(Globals& g) {
    check(g);
    bool anyExpired = false;
    for (const InstrumentVerification& verification : checked_)
        anyExpired = anyExpired || verification.status == ExpiryStatus::Expired;
    if (!anyExpired)
        return Start::Allowed;
    return g.settings.ExpiredInstrumentAllowed ? Start::AllowedByOverride : Start::Refused;
}

QString VerificationWatch::refusalText(const Globals& g) const {
    QStringList expired;
    for (const InstrumentVerification& verification : checked_)
        if (verification.status == ExpiryStatus::Expired)
            expired << instrumentName(g, verification.instrument) + QStringLiteral(" (") +
                           dateText(verification.expiry) + u')';
    return NamedText(g, u"SCADENZABlocco").arg(expired.join(QStringLiteral(", ")));
}
