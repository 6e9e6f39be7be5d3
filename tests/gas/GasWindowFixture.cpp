#include "GasWindowFixture.h"

#include "link/FrameBytes.h"
#include "link/MakerFrame.h"
#include "link/MctcFrame.h"
#include "sim/MctcRequest.h"
#include "ui/Clock.h"

void GasWindowTest::SetUp() {
    StationDirsTest::SetUp();
    ui::Clock::set(QDateTime(QDate(2024, 3, 5), QTime(9, 30, 0)));
    for (int i = 0; i < LanguageState::TextCount; ++i)
        g.lang.UiText[i] = ui(i);
}

void GasWindowTest::TearDown() {
    closeWindow();
    StationDirsTest::TearDown();
}

void GasWindowTest::writeSettings(const GasSetup& s) {
    const int mode = s.linkMode != 0 ? s.linkMode : (s.model == 3 ? 2 : 1);
    const QString text = QStringLiteral("[COMKAPRO]\r\nTModCom=%1\r\nTCOM=%2\r\nTBRate=%3\r\nMarca=Korvellan\r\n"
                                        "Modello=%4\r\nNserie=%5\r\n[MODKAPRO]\r\nModello=%6\r\n"
                                        "[IA]\r\nRN=1000\r\nCGLPP=2000\r\nGV=2500\r\nLI=0.97\r\nAS=1.03\r\nAM=1\r\n"
                                        "LN=0.5\r\nRC=0.3\r\nMCS=5800\r\n")
                             .arg(mode)
                             .arg(s.port)
                             .arg(s.baud)
                             .arg(s.modelName, s.serial)
                             .arg(s.model);
    writeBytes(workFile("Conf.ini"), text.toLatin1());
}

void GasWindowTest::openWindow(const GasSetup& setup) {
    closeWindow();
    writeSettings(setup);
    reopenWindow();
}

void GasWindowTest::reopenWindow() {
    closeWindow();
    auto fake = std::make_unique<FakeSerialPort>();
    port = fake.get();
    auto recording = std::make_unique<RecordingCompanions>();
    companions = recording.get();
    // The main window raises the flag before it opens the window.
    g.app.GasWindowActive = 1;
    form = std::make_unique<ANGAS>(g, dialogs, std::move(fake), std::move(recording));
    form->Form_Load();
}

void GasWindowTest::closeWindow() {
    form.reset();
    port = nullptr;
    companions = nullptr;
}

void GasWindowTest::tick(int count) {
    for (int i = 0; i < count; ++i) {
        form->Timer1.tick();
        ui::Clock::advance(25);
    }
}

namespace {

QString describe(const QByteArray& frame) {
    if (frame.size() > 3 && frame[1] == 'G') {
        const auto request = sim::ParseMctcRequest(frame);
        if (!request)
            return QStringLiteral("?");
        QByteArray data = request->data;
        data.replace(FrameByte::Etb, '|');
        return QString::fromLatin1(request->hasData ? request->command + ' ' + data : request->command);
    }
    if (frame.size() < 8)
        return QStringLiteral("?");
    QString text = QStringLiteral("0x%1").arg(static_cast<unsigned char>(frame[3]), 2, 16, QLatin1Char('0')).toUpper();
    text.replace(QStringLiteral("0X"), QStringLiteral("0x"));
    const int dataBytes = static_cast<unsigned char>(frame[5]) - 2;
    if (dataBytes > 0)
        text += u' ' + QString::fromLatin1(frame.mid(6, dataBytes).toHex(' ').toUpper());
    return text;
}

} // namespace

QStringList GasWindowTest::requests() const {
    return requestsSince(0);
}

QStringList GasWindowTest::requestsSince(qsizetype first) const {
    QStringList lines;
    const QList<QByteArray>& written = port->written();
    for (qsizetype i = first; i < written.size(); ++i)
        lines << describe(written[i]);
    return lines;
}

QString GasWindowTest::lastRequest() const {
    return port->written().isEmpty() ? QString() : describe(port->written().back());
}

void GasWindowTest::replyMctc(const QByteArray& command, const QByteArray& data) {
    port->receive(BuildMctcFrame("GAS", command, "1", data));
}

QByteArray GasWindowTest::makerReplyFrame(int address, int command, const QByteArray& data) {
    QByteArray frame = BuildMakerFrame(address, command, data);
    frame[2] = FrameByte::Ack;
    return frame;
}

void GasWindowTest::replyMaker(int command, const QByteArray& data) {
    port->receive(makerReplyFrame(g.link.GasBinaryAddress, command, data));
}

void GasWindowTest::exchangeMctc(const QString& expected, const QByteArray& command, const QByteArray& data) {
    const qsizetype before = requestCount();
    tick();
    EXPECT_EQ(requestsSince(before), QStringList{expected});
    replyMctc(command, data);
}

void GasWindowTest::exchangeMaker(const QString& expected, int command, const QByteArray& data) {
    const qsizetype before = requestCount();
    tick();
    EXPECT_EQ(requestsSince(before), QStringList{expected});
    replyMaker(command, data);
}

void GasWindowTest::mctcStartUp(int version) {
    const QByteArray versionText =
        QByteArray::number(version / 1000) + '.' + QByteArray::number(version % 1000).rightJustified(3, '0').left(2);
    exchangeMctc("ID", "ID", Fields({"Korvellan", "KAPRO 500", "OM123", "SN7788", "31122030", versionText, "x"}));
    exchangeMctc("@SD 05032024|093000", "@SD");
    if (version < 1500) {
        exchangeMctc("@LA", "@LA", Fields({"GPL", "CAT", "04", "4", "2.570", "0.000"}));
        exchangeMctc("@LI", "@LI", "2222");
    } else {
        exchangeMctc("@LU 047", "@LU", Fields({"1234", "047"}));
    }
}

void GasWindowTest::mctcStatus(int status) {
    const qsizetype before = requestCount();
    tick();
    ASSERT_EQ(requestsSince(before).size(), 1);
    const QString request = lastRequest();
    ASSERT_TRUE(request == "ST" || request == "@ST") << request.toStdString();
    replyMctc(request.toLatin1(), QByteArray(1, static_cast<char>(0x40 | status)));
}

void GasWindowTest::makerStartUp(const QByteArray& firmware) {
    QByteArray identification(18, '\0');
    identification.replace(1, 8, "KV123456");
    identification[10] = 0x01; // parameter 0x0102
    identification[11] = 0x02;
    identification[15] = firmware[0];
    identification.replace(16, 2, firmware.mid(2, 2));
    exchangeMaker("0x31", 0x31, identification);
    QByteArray calibration(12, '\0');
    const char date[] = {3, 1, 1, 2, 2, 4};
    calibration.replace(6, 6, QByteArray(date, 6));
    exchangeMaker("0x2E", 0x2E, calibration);
    const qsizetype before = requestCount();
    tick();
    ASSERT_EQ(requestsSince(before).size(), 1);
    EXPECT_TRUE(lastRequest().startsWith("0x23 08"));
    replyMaker(0x23);
}

void GasWindowTest::makerStatus(int status, int fuelCode) {
    QByteArray data(5, '\0');
    data[0] = static_cast<char>(status);
    data[1] = static_cast<char>(fuelCode);
    exchangeMaker("0x3F", 0x3F, data);
}

QByteArray Fields(std::initializer_list<QByteArray> parts) {
    return QList<QByteArray>(parts).join(FrameByte::Etb);
}

MakerValues::MakerValues() : data_(40, '\0') {}

MakerValues& MakerValues::set(int position, int byte) {
    data_[position - 7] = static_cast<char>(byte);
    return *this;
}

MakerValues& MakerValues::word(int position, int value) {
    return set(position, (value >> 8) & 0xFF).set(position + 1, value & 0xFF);
}
