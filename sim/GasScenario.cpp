#include "sim/GasScenario.h"

#include "sim/ScenarioFile.h"

#include <QFile>
#include <QList>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace sim {

namespace {

constexpr double MaxMagnitude = 1e6;

struct QuantityKey {
    const char* key;
    GasQuantity quantity;
    double idle; // a warm petrol engine with catalyst at idle
};
constexpr QuantityKey QuantityKeys[] = {
    {"co", GasQuantity::CO, 0.10},
    {"co2", GasQuantity::CO2, 14.8},
    {"hc", GasQuantity::HC, 30},
    {"o2", GasQuantity::O2, 0.30},
    {"nox", GasQuantity::NOx, 40},
    {"lambda", GasQuantity::Lambda, 1.00},
    {"cocorr", GasQuantity::COcorr, 0},
    {"rpm", GasQuantity::EngineSpeed, 850},
    {"oil", GasQuantity::OilTemperature, 80},
    {"pressure", GasQuantity::Pressure, 0},
};

// How a condition's value is written in the file.
enum class ConditionForm { Number, Letter, StatusCode };
struct ConditionKey {
    const char* key;
    GasCondition condition;
    ConditionForm form;
    int low;
    int high;
    int defaultValue;
};
constexpr ConditionKey ConditionKeys[] = {
    {"error", GasCondition::ErrorCode, ConditionForm::Number, 0, 127, 0},
    {"channels", GasCondition::FaultyChannels, ConditionForm::Number, 0, 15, 0},
    {"status", GasCondition::Status, ConditionForm::StatusCode, 0, 255, -1},
    {"erten", GasCondition::ErTen, ConditionForm::Number, 0, 255, 0},
    {"leak", GasCondition::LeakResult, ConditionForm::Letter, 0, 0, 'R'},
    {"residue", GasCondition::ResidueResult, ConditionForm::Letter, 0, 0, 'R'},
    {"mute", GasCondition::Mute, ConditionForm::Number, 0, 1, 0},
    {"badsum", GasCondition::BadChecksum, ConditionForm::Number, 0, 1, 0},
    {"vafields", GasCondition::ValueFields, ConditionForm::Number, 0, 9, 9},
};

// Condition keys are looked up by their enumerator, so the table keeps its order.
constexpr bool conditionTableInOrder() {
    for (int i = 0; i < GasConditionCount; ++i) {
        if (static_cast<int>(ConditionKeys[i].condition) != i)
            return false;
    }
    return std::size(ConditionKeys) == GasConditionCount;
}
static_assert(conditionTableInOrder());
static_assert(std::size(QuantityKeys) == GasQuantityCount);

const ConditionKey& conditionEntry(GasCondition condition) {
    return ConditionKeys[static_cast<int>(condition)];
}

// Plain decimal numbers with a "." point; nothing else, not even blanks.
std::optional<double> number(QByteArrayView text) {
    bool ok = false;
    const double value = text.toByteArray().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > MaxMagnitude)
        return std::nullopt;
    return value;
}

std::optional<GasValue> quantityValue(QByteArrayView text) {
    if (text == "none")
        return GasValue::none();
    if (text == "over")
        return GasValue::over();
    if (text == "blank")
        return GasValue{GasValue::Kind::Blank, 0.0};
    if (const std::optional<double> value = number(text))
        return GasValue::of(*value);
    return std::nullopt;
}

std::optional<int> conditionValue(const ConditionKey& entry, QByteArrayView text) {
    if (entry.form == ConditionForm::Letter) {
        if (text == "R" || text == "I")
            return int(text.front());
        return std::nullopt;
    }
    if (entry.form == ConditionForm::StatusCode && text == "auto")
        return -1;
    if (const std::optional<long long> value = wholeNumber(text, entry.low, entry.high))
        return int(*value);
    return std::nullopt;
}

std::optional<ScenarioOrigin> originNamed(QByteArrayView name) {
    if (name == "poweron")
        return ScenarioOrigin::PowerOn;
    if (name == "zeroed")
        return ScenarioOrigin::Zeroed;
    if (name == "residue")
        return ScenarioOrigin::Residue;
    return std::nullopt;
}

template <typename Point> void insertInTimeOrder(std::vector<Point>& points, Point point) {
    const auto after =
        std::upper_bound(points.begin(), points.end(), point.at, [](Millis at, const Point& p) { return at < p.at; });
    points.insert(after, point);
}

// The last point at or before time; nullptr before the first.
template <typename Point> const Point* lastAtOrBefore(const std::vector<Point>& points, Millis time) {
    const auto after =
        std::upper_bound(points.begin(), points.end(), time, [](Millis at, const Point& p) { return at < p.at; });
    return after == points.begin() ? nullptr : &*(after - 1);
}

class Parser {
  public:
    std::optional<GasScenario> run(QByteArrayView text, QString* error);

  private:
    bool line(QByteArrayView text);
    bool pair(Millis at, QByteArrayView pairText);
    bool fail(const QString& reason) {
        reason_ = reason;
        return false;
    }

    GasScenario scenario_;
    int points_ = 0;
    Millis lastTime_ = 0;
    QString reason_;
};

std::optional<GasScenario> Parser::run(QByteArrayView text, QString* error) {
    if (!readScenarioLines(
            text, GasScenario::MaxFileBytes, [this](QByteArrayView raw) { return line(raw); }, reason_, error))
        return std::nullopt;
    return scenario_;
}

bool Parser::line(QByteArrayView text) {
    const QList<QByteArray> words = scenarioWords(text);
    if (words.isEmpty())
        return true;
    if (words.front() == "origin") {
        const std::optional<ScenarioOrigin> origin = words.size() == 2 ? originNamed(words[1]) : std::nullopt;
        if (!origin)
            return fail(QStringLiteral("origin wants one of poweron, zeroed, residue"));
        scenario_.setOrigin(*origin);
        return true;
    }
    // "+T" counts from the previous line, so a run can be written segment by segment.
    const bool relative = words.front().startsWith('+');
    std::optional<long long> at =
        wholeNumber(QByteArrayView(words.front()).sliced(relative ? 1 : 0), 0, GasScenario::MaxTime);
    if (at && relative)
        at = *at + lastTime_ <= GasScenario::MaxTime ? std::optional(*at + lastTime_) : std::nullopt;
    if (!at)
        return fail(QStringLiteral("\"%1\" is not a time in milliseconds").arg(QString::fromLatin1(words.front())));
    if (*at < lastTime_)
        return fail(QStringLiteral("time %1 comes before %2").arg(*at).arg(lastTime_));
    lastTime_ = *at;
    if (words.size() < 2)
        return fail(QStringLiteral("a time needs at least one key=value"));
    for (qsizetype i = 1; i < words.size(); ++i) {
        if (!pair(*at, words[i]))
            return false;
    }
    return true;
}

bool Parser::pair(Millis at, QByteArrayView pairText) {
    const auto split = keyValue(pairText);
    if (!split)
        return fail(QStringLiteral("\"%1\" is not key=value").arg(QString::fromLatin1(pairText)));
    if (++points_ > GasScenario::MaxPoints)
        return fail(QStringLiteral("more than %1 points").arg(GasScenario::MaxPoints));
    const auto [key, valueText] = *split;
    if (const QuantityKey* entry = entryNamed(QuantityKeys, key)) {
        const std::optional<GasValue> value = quantityValue(valueText);
        if (!value)
            return fail(QStringLiteral("%1 wants a number, none or over").arg(QString::fromLatin1(key)));
        scenario_.addValue(entry->quantity, at, *value);
        return true;
    }
    if (const ConditionKey* entry = entryNamed(ConditionKeys, key)) {
        const std::optional<int> value = conditionValue(*entry, valueText);
        if (!value)
            return fail(QStringLiteral("bad value \"%1\" for %2")
                            .arg(QString::fromLatin1(valueText), QString::fromLatin1(key)));
        scenario_.addCondition(entry->condition, at, *value);
        return true;
    }
    return fail(QStringLiteral("unknown key \"%1\"").arg(QString::fromLatin1(key)));
}

} // namespace

double AnalyserCorrectedCO(double co, double co2, double fuelConstant) {
    const double sum = co + co2;
    if (sum <= 0 || sum >= fuelConstant)
        return co;
    return co * fuelConstant / sum;
}

void GasScenario::addValue(GasQuantity quantity, Millis at, GasValue value) {
    insertInTimeOrder(values_[static_cast<int>(quantity)], ValuePoint{at, value});
}

void GasScenario::addCondition(GasCondition condition, Millis at, int value) {
    insertInTimeOrder(conditions_[static_cast<int>(condition)], ConditionPoint{at, value});
}

bool GasScenario::scripted(GasQuantity quantity) const {
    return !values_[static_cast<int>(quantity)].empty();
}

GasValue GasScenario::valueAt(GasQuantity quantity, Millis time) const {
    const std::vector<ValuePoint>& points = values_[static_cast<int>(quantity)];
    if (points.empty())
        return defaultValue(quantity);
    const ValuePoint* before = lastAtOrBefore(points, time);
    if (!before)
        return points.front().value;
    const ValuePoint* after = before + 1;
    if (after == points.data() + points.size() || !before->value.isNumber() || !after->value.isNumber() ||
        after->at == before->at)
        return before->value;
    const double fraction = double(time - before->at) / double(after->at - before->at);
    return GasValue::of(before->value.number + (after->value.number - before->value.number) * fraction);
}

GasReadings GasScenario::readingsAt(Millis time, double fuelConstant) const {
    GasReadings readings;
    for (int i = 0; i < GasQuantityCount; ++i)
        readings.values[i] = valueAt(static_cast<GasQuantity>(i), time);
    if (!scripted(GasQuantity::COcorr)) {
        const GasValue co = readings[GasQuantity::CO];
        const GasValue co2 = readings[GasQuantity::CO2];
        readings[GasQuantity::COcorr] = co.isNumber() && co2.isNumber()
                                            ? GasValue::of(AnalyserCorrectedCO(co.number, co2.number, fuelConstant))
                                            : GasValue::none();
    }
    return readings;
}

int GasScenario::conditionAt(GasCondition condition, Millis time) const {
    const ConditionPoint* point = lastAtOrBefore(conditions_[static_cast<int>(condition)], time);
    return point ? point->value : defaultCondition(condition);
}

GasValue GasScenario::defaultValue(GasQuantity quantity) {
    for (const QuantityKey& entry : QuantityKeys) {
        if (entry.quantity == quantity)
            return GasValue::of(entry.idle);
    }
    return GasValue::none();
}

int GasScenario::defaultCondition(GasCondition condition) {
    return conditionEntry(condition).defaultValue;
}

std::optional<GasScenario> GasScenario::parse(QByteArrayView text, QString* error) {
    return Parser().run(text, error);
}

std::optional<GasScenario> GasScenario::load(const QString& path, QString* error) {
    return loadScenarioFile<GasScenario>(path, error);
}

QString GasScenario::formatHelp() {
    return QStringLiteral("  Scenario file: one line per moment, \"T key=value ...\", T in milliseconds of\n"
                          "  scenario time, lines in time order (\"+T\": T after the line before); \"#\"\n"
                          "  starts a comment. Readings run in straight lines between their points and\n"
                          "  hold after the last; a point with \"none\" (no value), \"over\" (out of\n"
                          "  range) or \"blank\" (an empty MCTC-NET field) holds until the next point.\n"
                          "  Two points at the same time make a step.\n"
                          "    co co2 o2 cocorr (% vol)  hc nox (ppm)  lambda  rpm  oil (C)  pressure (mbar)\n"
                          "      defaults: co=0.10 co2=14.8 hc=30 o2=0.30 nox=40 lambda=1.00 rpm=850 oil=80;\n"
                          "      cocorr is computed from co, co2 and the fuel unless given\n"
                          "  Conditions hold from their point on:\n"
                          "    error=0..127       error register code (0 none)\n"
                          "    channels=0..15     faulty channels: 1 CO, 2 CO2, 4 HC, 8 O2\n"
                          "    status=N|auto      report status code N instead of the true one\n"
                          "    erten=0..255       spare byte of the maker status reply\n"
                          "    leak=R|I           result of a leak test ending from then on\n"
                          "    residue=R|I        result of an HC residue test ending from then on\n"
                          "    mute=1|0           answer nothing\n"
                          "    badsum=1|0         send replies with a wrong checksum\n"
                          "    vafields=0..9      fields in a measurement reply (fewer: truncated)\n"
                          "  \"origin poweron|zeroed|residue\": times count from the start (default), from\n"
                          "  the end of the latest zeroing, or of the latest HC residue test.\n"
                          "  Example:\n"
                          "    origin zeroed\n"
                          "    0     rpm=850 co=0.20 co2=14.5 lambda=1.00\n"
                          "    30000 rpm=850\n"
                          "    34000 rpm=2500 lambda=1.01     # accelerate over four seconds\n"
                          "    60000 error=35 channels=4      # the HC channel fails\n");
}

} // namespace sim
