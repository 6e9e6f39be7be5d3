#include "sim/OpacimeterScenario.h"

#include "sim/ScenarioFile.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace sim {

namespace {

constexpr double MaxSeconds = 86400.0;
constexpr int MaxPeaks = 100;
constexpr double MaxK = 99.0;
constexpr double MaxRpm = 20000.0;

// How a condition's value is written in the file.
enum class Form { Number, Alarm, Probe, Digits };
struct ConditionKey {
    const char* key;
    OpacimeterCondition condition;
    Form form;
    int low;  // Digits: how many digits
    int high; // Probe: the last state allowed
    bool autoAllowed;
    int defaultValue;
};
constexpr ConditionKey ConditionKeys[] = {
    {"alarm", OpacimeterCondition::Alarm, Form::Alarm, 0, 0, false, int(OpacimeterAlarm::None)},
    {"mute", OpacimeterCondition::Mute, Form::Number, 0, 1, false, 0},
    {"badsum", OpacimeterCondition::BadChecksum, Form::Number, 0, 1, false, 0},
    {"fields", OpacimeterCondition::ValueFields, Form::Number, 0, 8, false, 8},
    {"oilprobe", OpacimeterCondition::OilProbe, Form::Probe, 0, int(ProbeState::Out), false, int(ProbeState::Ok)},
    {"rpmprobe", OpacimeterCondition::RpmProbe, Form::Probe, 0, int(ProbeState::None), false, int(ProbeState::Ok)},
    {"slide", OpacimeterCondition::Slide, Form::Digits, 5, 0, true, AutoCondition},
    {"operating", OpacimeterCondition::Operating, Form::Digits, 5, 0, false, OperatingNormal},
    {"status", OpacimeterCondition::Status, Form::Number, 0, 255, true, AutoCondition},
    {"error", OpacimeterCondition::ErrorCode, Form::Digits, 3, 0, true, AutoCondition},
    {"rserror", OpacimeterCondition::RegisterCode, Form::Number, 0, 127, true, AutoCondition},
    {"alarmbyte", OpacimeterCondition::AlarmByte, Form::Number, 0, 255, true, AutoCondition},
    {"flags", OpacimeterCondition::Flags, Form::Number, 0, 255, true, AutoCondition},
    {"aux", OpacimeterCondition::Aux, Form::Number, 0, 255, true, AutoCondition},
};

constexpr bool conditionTableInOrder() {
    for (int i = 0; i < OpacimeterConditionCount; ++i) {
        if (static_cast<int>(ConditionKeys[i].condition) != i)
            return false;
    }
    return std::size(ConditionKeys) == OpacimeterConditionCount;
}
static_assert(conditionTableInOrder());

struct NamedValue {
    const char* name;
    int value;
};
constexpr NamedValue AlarmNames[] = {
    {"none", int(OpacimeterAlarm::None)},
    {"pressurehigh", int(OpacimeterAlarm::PressureHigh)},
    {"pressurelow", int(OpacimeterAlarm::PressureLow)},
    {"emitter", int(OpacimeterAlarm::Emitter)},
    {"optics", int(OpacimeterAlarm::Optics)},
    {"overheat", int(OpacimeterAlarm::Overheat)},
    {"slide", int(OpacimeterAlarm::Slide)},
    {"cellsensor", int(OpacimeterAlarm::CellSensor)},
};
constexpr NamedValue ProbeNames[] = {
    {"ok", int(ProbeState::Ok)}, {"none", int(ProbeState::None)}, {"out", int(ProbeState::Out)}};

template <size_t N> std::optional<int> named(const NamedValue (&table)[N], QByteArrayView text) {
    for (const NamedValue& entry : table) {
        if (text == entry.name)
            return entry.value;
    }
    return std::nullopt;
}

// Plain decimal numbers with a "." point.
std::optional<double> number(QByteArrayView text, double low, double high) {
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = text.toByteArray().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> conditionValue(const ConditionKey& entry, QByteArrayView text) {
    if (entry.autoAllowed && text == "auto")
        return AutoCondition;
    switch (entry.form) {
    case Form::Alarm: return named(AlarmNames, text);
    case Form::Probe: {
        // A speed is never beyond its range, only missing.
        const std::optional<int> state = named(ProbeNames, text);
        return state && *state <= entry.high ? state : std::nullopt;
    }
    case Form::Digits:
        // A fixed number of digits, as the instrument sends them.
        if (text.size() != entry.low)
            return std::nullopt;
        if (const std::optional<long long> value = wholeNumber(text, 0, 99999))
            return int(*value);
        return std::nullopt;
    case Form::Number:
        if (const std::optional<long long> value = wholeNumber(text, entry.low, entry.high))
            return int(*value);
        return std::nullopt;
    }
    return std::nullopt;
}

using DurationField = Millis& (*)(OpacimeterScenario&);
struct DurationSetting {
    const char* key;
    DurationField field;
};
constexpr DurationSetting Durations[] = {
    {"warmup", [](OpacimeterScenario& s) -> Millis& { return s.timing.warmUp; }},
    {"check", [](OpacimeterScenario& s) -> Millis& { return s.timing.check; }},
    {"zeroing", [](OpacimeterScenario& s) -> Millis& { return s.timing.zeroing; }},
    {"rise", [](OpacimeterScenario& s) -> Millis& { return s.shape.rise; }},
    {"hold", [](OpacimeterScenario& s) -> Millis& { return s.shape.hold; }},
    {"fall", [](OpacimeterScenario& s) -> Millis& { return s.shape.fall; }},
    {"lead", [](OpacimeterScenario& s) -> Millis& { return s.cadence.lead; }},
    {"period", [](OpacimeterScenario& s) -> Millis& { return s.cadence.period; }},
};

using NumberField = double& (*)(OpacimeterScenario&);
struct NumberSetting {
    const char* key;
    NumberField field;
    double low;
    double high;
};
constexpr NumberSetting Numbers[] = {
    {"idle", [](OpacimeterScenario& s) -> double& { return s.shape.idleRpm; }, 0, MaxRpm},
    {"governed", [](OpacimeterScenario& s) -> double& { return s.shape.governedRpm; }, 0, MaxRpm},
    {"idlek", [](OpacimeterScenario& s) -> double& { return s.shape.idleK; }, 0, MaxK},
    {"ambient", [](OpacimeterScenario& s) -> double& { return s.ambientTemperature; }, -40, 60},
    {"cell", [](OpacimeterScenario& s) -> double& { return s.cellSetPoint; }, 0, 300},
};

using ProfileField = Profile& (*)(OpacimeterScenario&);
struct ProfileSetting {
    const char* key;
    ProfileField field;
};
constexpr ProfileSetting Profiles[] = {
    {"oil", [](OpacimeterScenario& s) -> Profile& { return s.oil; }},
    {"smoke", [](OpacimeterScenario& s) -> Profile& { return s.smoke; }},
    {"voltage", [](OpacimeterScenario& s) -> Profile& { return s.voltage; }},
};

bool printableText(QByteArrayView text, qsizetype minLength, qsizetype maxLength) {
    if (text.size() < minLength || text.size() > maxLength)
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

class Parser {
  public:
    std::optional<OpacimeterScenario> run(QByteArrayView text, QString* error);

  private:
    bool line(QByteArrayView text);
    bool setting(QByteArrayView key, QByteArrayView value);
    bool condition(Millis at, QByteArrayView pairText);
    bool finish();
    bool fail(const QString& reason) {
        reason_ = reason;
        return false;
    }

    OpacimeterScenario scenario_;
    int points_ = 0;
    Millis lastTime_ = 0;
    QString reason_;
};

std::optional<OpacimeterScenario> Parser::run(QByteArrayView text, QString* error) {
    const auto failed = [&](const QString& reason) -> std::optional<OpacimeterScenario> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (!readScenarioLines(
            text, OpacimeterScenario::MaxFileBytes, [this](QByteArrayView raw) { return line(raw); }, reason_, error))
        return std::nullopt;
    if (!finish())
        return failed(reason_);
    return scenario_;
}

bool Parser::line(QByteArrayView text) {
    const QList<QByteArray> words = scenarioWords(text);
    if (words.isEmpty())
        return true;
    if (words.size() < 2)
        return fail(QStringLiteral("a line needs at least one key=value"));
    const bool settings = words.front() == "set";
    std::optional<long long> at;
    if (!settings) {
        at = wholeNumber(words.front(), 0, OpacimeterScenario::MaxTime);
        if (!at)
            return fail(QStringLiteral("\"%1\" is neither \"set\" nor a time in milliseconds")
                            .arg(QString::fromLatin1(words.front())));
        if (*at < lastTime_)
            return fail(QStringLiteral("time %1 comes before %2").arg(*at).arg(lastTime_));
        lastTime_ = *at;
    }
    for (qsizetype i = 1; i < words.size(); ++i) {
        const auto pair = keyValue(words[i]);
        if (!pair)
            return fail(QStringLiteral("\"%1\" is not key=value").arg(QString::fromLatin1(words[i])));
        if (settings ? !setting(pair->first, pair->second) : !condition(*at, words[i]))
            return false;
    }
    return true;
}

bool Parser::setting(QByteArrayView key, QByteArrayView value) {
    const QString keyText = QString::fromLatin1(key);
    if (const DurationSetting* entry = entryNamed(Durations, key)) {
        const std::optional<double> seconds = number(value, 0, MaxSeconds);
        if (!seconds)
            return fail(QStringLiteral("%1 wants seconds from 0 to %2").arg(keyText).arg(MaxSeconds));
        entry->field(scenario_) = std::llround(*seconds * 1000.0);
        return true;
    }
    if (const NumberSetting* entry = entryNamed(Numbers, key)) {
        const std::optional<double> parsed = number(value, entry->low, entry->high);
        if (!parsed)
            return fail(
                QStringLiteral("%1 wants a number from %2 to %3").arg(keyText).arg(entry->low).arg(entry->high));
        entry->field(scenario_) = *parsed;
        return true;
    }
    if (const ProfileSetting* entry = entryNamed(Profiles, key)) {
        // A single number holds for ever; otherwise seconds:value points.
        if (const std::optional<double> constant = number(value, -1e6, 1e6)) {
            entry->field(scenario_) = Profile::constant(*constant);
            return true;
        }
        QString reason;
        const std::optional<Profile> profile = Profile::parse(QString::fromLatin1(value), &reason);
        if (!profile)
            return fail(QStringLiteral("%1: %2").arg(keyText, reason));
        entry->field(scenario_) = *profile;
        return true;
    }
    if (key == "count") {
        const std::optional<long long> count = wholeNumber(value, 0, 1000);
        if (!count)
            return fail(QStringLiteral("count wants a whole number from 0 to 1000"));
        scenario_.cadence.count = int(*count);
        return true;
    }
    if (key == "peaks") {
        std::vector<double> peaks;
        for (const QByteArray& item : value.toByteArray().split(',')) {
            const std::optional<double> peak = number(item, 0, MaxK);
            if (!peak || peaks.size() >= size_t(MaxPeaks))
                return fail(QStringLiteral("peaks wants 1 to %1 values of k from 0 to %2, separated by commas")
                                .arg(MaxPeaks)
                                .arg(MaxK));
            peaks.push_back(*peak);
        }
        scenario_.cadence.peaks = std::move(peaks);
        return true;
    }
    if (key == "serial") {
        if (!printableText(value, 6, 6))
            return fail(QStringLiteral("serial wants six printable characters"));
        scenario_.serial = value.toByteArray();
        return true;
    }
    if (key == "version") {
        if (!printableText(value, 1, 8))
            return fail(QStringLiteral("version wants one to eight printable characters"));
        scenario_.version = value.toByteArray();
        return true;
    }
    if (key == "expiry") {
        if (value.size() != 8 || !wholeNumber(value, 0, 99999999))
            return fail(QStringLiteral("expiry wants eight digits, DDMMYYYY"));
        scenario_.expiry = value.toByteArray();
        return true;
    }
    return fail(QStringLiteral("unknown setting \"%1\"").arg(keyText));
}

bool Parser::condition(Millis at, QByteArrayView pairText) {
    const auto [key, valueText] = *keyValue(pairText);
    if (++points_ > OpacimeterScenario::MaxPoints)
        return fail(QStringLiteral("more than %1 points").arg(OpacimeterScenario::MaxPoints));
    for (const ConditionKey& entry : ConditionKeys) {
        if (key != entry.key)
            continue;
        const std::optional<int> value = conditionValue(entry, valueText);
        if (!value)
            return fail(QStringLiteral("bad value \"%1\" for %2")
                            .arg(QString::fromLatin1(valueText), QString::fromLatin1(key)));
        scenario_.setCondition(entry.condition, at, *value);
        return true;
    }
    return fail(QStringLiteral("unknown key \"%1\"").arg(QString::fromLatin1(key)));
}

bool Parser::finish() {
    if (scenario_.cadence.period < scenario_.shape.duration() || scenario_.cadence.period <= 0)
        return fail(QStringLiteral("period (%1 s) shorter than one acceleration, rise + hold + fall (%2 s)")
                        .arg(double(scenario_.cadence.period) / 1000.0)
                        .arg(double(scenario_.shape.duration()) / 1000.0));
    return true;
}

} // namespace

void OpacimeterScenario::setCondition(OpacimeterCondition condition, Millis at, int value) {
    conditions_[static_cast<int>(condition)][at] = value;
}

int OpacimeterScenario::conditionAt(OpacimeterCondition condition, Millis time) const {
    const std::map<Millis, int>& points = conditions_[static_cast<int>(condition)];
    auto after = points.upper_bound(time);
    if (after == points.begin())
        return defaultCondition(condition);
    return std::prev(after)->second;
}

int OpacimeterScenario::defaultCondition(OpacimeterCondition condition) {
    return ConditionKeys[static_cast<int>(condition)].defaultValue;
}

double OpacimeterScenario::heatedCellAt(Millis time) const {
    if (timing.warmUp <= 0 || time >= timing.warmUp)
        return cellSetPoint;
    const double share = double(std::max<Millis>(time, 0)) / double(timing.warmUp);
    return ambientTemperature + (cellSetPoint - ambientTemperature) * share;
}

std::optional<OpacimeterScenario> OpacimeterScenario::parse(QByteArrayView text, QString* error) {
    return Parser().run(text, error);
}

std::optional<OpacimeterScenario> OpacimeterScenario::load(const QString& path, QString* error) {
    return loadScenarioFile<OpacimeterScenario>(path, error);
}

QString OpacimeterScenario::formatHelp() {
    return QStringLiteral("  Scenario file: \"set key=value ...\" lines change settings; \"T key=value ...\"\n"
                          "  lines switch conditions T milliseconds after power-on (in time order). \"#\"\n"
                          "  starts a comment. Settings (defaults in brackets; times in seconds):\n"
                          "    warmup [20] check [3] zeroing [4]   the instrument's own procedures\n"
                          "    idle [800] governed [4500]          engine speeds, rpm\n"
                          "    rise [1] hold [2.5] fall [1.5]      one free acceleration\n"
                          "    lead [6] period [15] count [0]      first acceleration after each zeroing\n"
                          "                                        ends, then one per period (count 0: no end)\n"
                          "    idlek [0.08] peaks [1.0,1.1,1.2]    k at idle; peak k of each acceleration,\n"
                          "                                        the last one repeating\n"
                          "    ambient [20] cell [80]              the cell heats from one to the other\n"
                          "    oil [80] smoke [60] voltage [13.2]  a number, or seconds:value,... points\n"
                          "    serial [004217] version [4.10] expiry [31122030]\n"
                          "  Conditions (hold from their time on):\n"
                          "    alarm=none|pressurehigh|pressurelow|emitter|optics|overheat|slide|cellsensor\n"
                          "    mute=1|0  badsum=1|0  fields=0..8 (values in a value reply)\n"
                          "    oilprobe=ok|none|out  rpmprobe=ok|none\n"
                          "    slide=auto|NNNNN  operating=NNNNN   MCTC-NET parameters 020 and 021\n"
                          "    status=auto|N  error=auto|NNN  rserror=auto|N        MCTC-NET codes sent\n"
                          "    status=auto|N  alarmbyte=auto|N  flags=auto|N  aux=auto|N  maker status bytes\n"
                          "  Example:\n"
                          "    set warmup=5 peaks=0.9,1.4,1.0\n"
                          "    60000 alarm=emitter      # the light emitter fails a minute after power-on\n"
                          "    75000 alarm=none\n");
}

} // namespace sim
