#include "link/MctcParsers.h"

#include "link/MctcFrame.h"
#include "link/ReplyText.h"
#include "shared/Globals.h"

#include <cmath>
#include <limits>

namespace {

constexpr int IdentityFieldCount = 7;

std::optional<double> wholeDataNumber(const QByteArray& frame, int commandLength, int numberLength) {
    const std::optional<QByteArray> data = MctcDataField(frame, commandLength, numberLength);
    if (!data)
        return std::nullopt;
    return LeadingNumber(*data);
}

} // namespace

QString ExpiryDateText(const QString& received) {
    return received.mid(0, 2) + u'/' + received.mid(2, 2) + u'/' + received.mid(4, 4);
}

int VersionThousandthsOf(const QString& version) {
    const double thousandths = std::round(LeadingNumber(version.toLatin1()) * 1000.0);
    // A version no instrument would send must not overflow the number.
    if (thousandths >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (thousandths <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(thousandths);
}

bool ParseIdentityReply(LinkState& link, const QByteArray& frame, int commandLength, int numberLength) {
    InstrumentIdentityRecord& id = link.InstrumentIdentity;
    const std::optional<MctcFields> fields = SplitMctcData(frame, commandLength, numberLength);
    if (!fields || fields->count() < IdentityFieldCount) {
        const QString blank(u' ');
        id = {blank, blank, blank, blank, blank, blank, blank};
        return false;
    }
    const auto text = [&](int number) { return InstrumentText(*fields->field(number)); };
    id.Maker = text(1);
    id.Model = text(2);
    id.Homologation = text(3);
    id.SerialNumber = text(4);
    id.ExpiryDate = ExpiryDateText(text(5));
    id.Version = text(6);
    id.Extra = text(7);
    link.VersionThousandths = VersionThousandthsOf(id.Version);
    return true;
}

std::optional<double> ParseRevCounterRpm(const QByteArray& frame, int commandLength, int numberLength) {
    return wholeDataNumber(frame, commandLength, numberLength);
}

std::optional<double> ParseRevCounterOilTemp(const QByteArray& frame, int commandLength, int numberLength) {
    return wholeDataNumber(frame, commandLength, numberLength);
}

std::optional<RevCounterReading> ParseRevCounterBoth(const QByteArray& frame, int commandLength, int numberLength) {
    const std::optional<MctcFields> fields = SplitMctcData(frame, commandLength, numberLength);
    if (!fields)
        return std::nullopt;
    return RevCounterReading{LeadingNumber(fields->field(1).value_or(QByteArray())),
                             LeadingNumber(fields->field(2).value_or(QByteArray()))};
}
