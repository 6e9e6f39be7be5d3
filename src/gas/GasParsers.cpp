#include "gas/GasParsers.h"

#include "link/MctcFrame.h"
#include "link/ReplyText.h"
#include "settings/NumberText.h"

#include <limits>

namespace gas {

namespace {

constexpr int SettingsFieldCount = 6;
constexpr int LeakStatusFieldCount = 3;

std::optional<QByteArray> firstField(const QByteArray& frame, int commandLength, int numberLength) {
    const std::optional<MctcFields> fields = SplitMctcData(frame, commandLength, numberLength);
    if (!fields)
        return std::nullopt;
    return fields->field(1);
}

QString firstLetter(const QByteArray& field) {
    return field.isEmpty() ? QStringLiteral(" ") : InstrumentText(field.left(1));
}

// A day or month of "00" is no date; the analyser sends it for "never".
QString dateComponent(const QString& twoDigits) {
    return twoDigits == QLatin1String("00") ? QStringLiteral("01") : twoDigits;
}

} // namespace

std::optional<SettingsRecord> ParseSettingsReply(const QByteArray& frame, int commandLength, int numberLength) {
    const std::optional<MctcFields> fields = SplitMctcData(frame, commandLength, numberLength);
    if (!fields || fields->count() < SettingsFieldCount)
        return std::nullopt;
    const auto text = [&](int number) { return InstrumentText(*fields->field(number)); };
    return SettingsRecord{text(1), text(2), text(3), text(4), text(5), text(6)};
}

std::optional<ParameterReply> ParseParameterReply(const QByteArray& frame, int commandLength, int numberLength) {
    const std::optional<MctcFields> fields = SplitMctcData(frame, commandLength, numberLength);
    if (!fields || fields->count() < 1)
        return std::nullopt;
    ParameterReply reply;
    reply.value = InstrumentText(*fields->field(1));
    if (const std::optional<QByteArray> number = fields->field(2); number && !number->isEmpty())
        reply.parameterNumber = LeadingNumber(*number);
    return reply;
}

QString LeakDateText(const QString& ddmmyyyy) {
    return dateComponent(ddmmyyyy.mid(0, 2)) + u'/' + dateComponent(ddmmyyyy.mid(2, 2)) + u'/' + ddmmyyyy.mid(4, 4);
}

QString LeakTimeText(const QString& hhmm) {
    return hhmm.mid(0, 2) + u':' + hhmm.mid(2, 2);
}

LeakStatus ParseLeakStatusReply(const QByteArray& frame, int commandLength, int numberLength) {
    const std::optional<MctcFields> fields = SplitMctcData(frame, commandLength, numberLength);
    if (!fields || fields->count() < LeakStatusFieldCount)
        return {QStringLiteral(" "), QStringLiteral("01/01/2000"), QStringLiteral(" ")};
    return {firstLetter(*fields->field(1)), LeakDateText(InstrumentText(*fields->field(2))),
            LeakTimeText(InstrumentText(*fields->field(3)))};
}

MeasurementReply ParseMeasurementReply(const QByteArray& frame, int commandLength, int numberLength) {
    MeasurementReply reply;
    const std::optional<MctcFields> fields = SplitMctcData(frame, commandLength, numberLength);
    if (!fields)
        return reply;
    for (int i = 0; i < MeasurementReply::FieldCount; ++i) {
        const std::optional<QByteArray> field = fields->field(i + 1);
        if (!field)
            break;
        // An empty or unreadable field is still a field: it reads 0 and the
        // fields after it are read on, but it holds no reading.
        const std::optional<double> number = ReadLeadingNumber(*field);
        reply.values[i] = number.value_or(0.0);
        reply.readable[i] = number.has_value();
        reply.count = i + 1;
    }
    return reply;
}

std::optional<int> ParsePressureReply(const QByteArray& frame, int commandLength, int numberLength) {
    const std::optional<QByteArray> field = firstField(frame, commandLength, numberLength);
    if (!field)
        return std::nullopt;
    constexpr double Largest = std::numeric_limits<int>::max();
    const double value = LeadingNumber(*field);
    if (value > Largest || value < -Largest)
        return std::nullopt;
    return static_cast<int>(settings::roundHalfEven(value));
}

std::optional<ErrorReply> ParseErrorReply(const QByteArray& frame, int commandLength, int numberLength) {
    const std::optional<QByteArray> data = MctcDataField(frame, commandLength, numberLength);
    if (!data || data->size() < 3)
        return std::nullopt;
    return ErrorReply{static_cast<unsigned char>((*data)[0]) & 0x7F, static_cast<unsigned char>((*data)[2])};
}

std::optional<QString> ParseHcResidueReply(const QByteArray& frame, int commandLength, int numberLength) {
    const std::optional<QByteArray> field = firstField(frame, commandLength, numberLength);
    if (!field)
        return std::nullopt;
    return firstLetter(*field);
}

} // namespace gas
