#include "FuzzSupport.h"

#include "link/FakeSerialPort.h"
#include "ui/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace fuzz {

namespace {

// In memory where the system offers it: the windows save Conf.ini through a
// synced atomic replace many times per input, which a disk makes slow.
QTemporaryDir& stationDir() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/quaveron-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/quaveron-fuzz-XXXXXX"));
    return dir;
}

void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "quaveron-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

} // namespace

void InstallStation(const QByteArray& confIni) {
    ensureApplication();
    QTemporaryDir& dir = stationDir();
    if (!dir.isValid())
        qFatal("no temporary folder for the station");
    ui::Paths::setWorkingDirectory(dir.path());
    ui::Paths::setProgramDirectory(dir.path());
    // Most inputs want the settings the previous one had; writing them once
    // keeps the targets fast. The windows only ever save back the same values.
    static QByteArray installed;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Conf.ini"));
    if (confIni == installed && QFile::exists(path))
        return;
    installed = confIni;
    QFile conf(path);
    if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate) || conf.write(confIni) != confIni.size())
        qFatal("cannot write Conf.ini");
}

void ChunkedInput::play(FakeSerialPort& port, const std::function<void()>& tick) {
    while (size_ > 0) {
        const std::uint8_t header = takeByte();
        const std::size_t length = std::min<std::size_t>(header & LengthBits, size_);
        if (length > 0)
            port.receive(QByteArray(reinterpret_cast<const char*>(data_), static_cast<qsizetype>(length)));
        data_ += length;
        size_ -= length;
        for (int i = 0; i < header >> TickShift; ++i)
            tick();
    }
}

std::uint8_t ChunkedInput::takeByte() {
    if (size_ == 0)
        return 0;
    const std::uint8_t byte = *data_;
    ++data_;
    --size_;
    return byte;
}

QByteArray EncodeChunks(const QList<QByteArray>& groups) {
    QByteArray encoded;
    for (const QByteArray& group : groups) {
        if (group.isEmpty())
            encoded.append(static_cast<char>(1 << ChunkedInput::TickShift));
        for (qsizetype at = 0; at < group.size(); at += ChunkedInput::LengthBits) {
            const QByteArray piece = group.mid(at, ChunkedInput::LengthBits);
            const bool last = at + ChunkedInput::LengthBits >= group.size();
            encoded.append(static_cast<char>(piece.size() | (last ? 1 << ChunkedInput::TickShift : 0)));
            encoded.append(piece);
        }
    }
    return encoded;
}

} // namespace fuzz
