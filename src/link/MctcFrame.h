#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// MCTC-NET text frames: STX, device type, ETB, device number, ETB, command,
// [ETB, data], two hexadecimal checksum digits, ETX.

// The two upper-case hexadecimal digits of the byte sum of everything after the
// STX, modulo 256, followed by ETX.
QByteArray MctcChecksum(const QByteArray& body);
// A whole request. Empty data adds no separator after the command; data may
// itself hold ETB separators and goes out unchanged.
QByteArray BuildMctcFrame(const QByteArray& device, const QByteArray& command, const QByteArray& number,
                          const QByteArray& data);

// True when characters 2-4 of a reply are the device type and character 5 is ETB.
bool MctcHeaderMatches(const QByteArray& frame, const QByteArray& device);
// The command field of a reply, read after a device number of numberLength
// characters with the length of the last command sent. Shorter than asked
// when the frame ends first, so it then matches no command.
QByteArray MctcReplyCommand(const QByteArray& frame, int commandLength, int numberLength);

// The data field of a reply: after the header, the command and one separator,
// up to the two checksum characters and ETX. nullopt when the frame is too
// short to hold it.
std::optional<QByteArray> MctcDataField(const QByteArray& frame, int commandLength, int numberLength);

// The fields of a reply's data field, numbered from 1. Past the last separator
// there is no field: a parser asking for one there has a reply too short.
class MctcFields {
  public:
    explicit MctcFields(QList<QByteArray> fields) : fields_(std::move(fields)) {}
    int count() const { return static_cast<int>(fields_.size()); }
    std::optional<QByteArray> field(int number) const;

  private:
    QList<QByteArray> fields_;
};

// Splits the data field at its ETB separators. nullopt when the frame is too
// short for its data field.
std::optional<MctcFields> SplitMctcData(const QByteArray& frame, int commandLength, int numberLength);
