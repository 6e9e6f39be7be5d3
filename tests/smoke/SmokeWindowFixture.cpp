#include "SmokeWindowFixture.h"

#include "lang/UiTextKeys.h"
#include "link/FrameBytes.h"
#include "link/MakerFrame.h"
#include "link/MctcFrame.h"
#include "sim/MctcRequest.h"
#include "smoke/OpacimeterModels.h"
#include "ui/Clock.h"

#include <cmath>

namespace {

QByteArray number(double value) {
    return QByteArray::number(value, 'f', 2);
}

QByteArray fields(const QList<QByteArray>& parts) {
    return parts.join(FrameByte::Etb);
}

QByteArray record(int channel, double value) {
    const int raw = static_cast<int>(std::lround(value));
    QByteArray bytes;
    bytes.append(static_cast<char>(channel)).append('\0').append('\0');
    bytes.append(static_cast<char>((raw >> 8) & 0xFF)).append(static_cast<char>(raw & 0xFF));
    return bytes;
}

bool isMakerFrame(const QByteArray& frame) {
    return frame.size() >= 8 && frame[0] == FrameByte::Stx && frame[2] == '\0';
}

} // namespace

void SmokeWindowTest::SetUp() {
    StationDirsTest::SetUp();
    ui::Clock::set(QDateTime(QDate(2024, 3, 5), QTime(9, 30, 0)));
    for (int i = 0; i < UiTextCount; ++i)
        g.lang.UiText[i] = UiTextKey(i);
    g.settings.LanguageCode = 1;
    g.settings.SmokePort = 3;
    g.settings.SmokeBaudIndex = 2;
    g.station.AmbientPressure = QStringLiteral("101.3");
}

void SmokeWindowTest::TearDown() {
    closeWindow();
    StationDirsTest::TearDown();
}

void SmokeWindowTest::writeConf(int model, int unit) {
    const QString conf = QStringLiteral("[COMOPA]\r\nModello=OPA-%1\r\nNserie=SN%1\r\n"
                                        "[MODOPA]\r\nModello=%1\r\nUnitOpa=%2\r\n"
                                        "[LO]\r\nRN=1000\r\nMX=3000\r\nON=0.5\r\nVK=1.5\r\n")
                             .arg(model)
                             .arg(unit);
    writeBytes(workFile("Conf.ini"), conf.toLatin1());
}

void SmokeWindowTest::openWindow(int model, int unit) {
    closeWindow();
    writeConf(model, unit);
    g.app.SmokeWindowActive = 1;
    auto fake = std::make_unique<FakeSerialPort>();
    port = fake.get();
    auto recording = std::make_unique<RecordingSmokeLinks>(g, dialogs);
    links = recording.get();
    form = std::make_unique<ANFUMO>(g, dialogs, std::move(recording), std::move(fake));
    form->Form_Load();
}

void SmokeWindowTest::closeWindow() {
    form.reset();
    port = nullptr;
    links = nullptr;
}

void SmokeWindowTest::tick(int count) {
    for (int i = 0; i < count; ++i) {
        const qsizetype before = port->written().size();
        form->Timer1.tick();
        if (!script.answering || port->written().size() == before)
            continue;
        const QByteArray reply = answerTo(port->written().last());
        if (!reply.isEmpty())
            port->receive(reply);
    }
}

bool SmokeWindowTest::tickUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (done())
            return true;
        tick();
    }
    return done();
}

void SmokeWindowTest::reachMeasuring() {
    if (form->linkMode() == 2)
        ASSERT_TRUE(tickUntil([&] { return form->InstrumentState == "RSEC"; }));
    else
        ASSERT_TRUE(tickUntil([&] { return form->InstrumentState == "RSTATT"; }));
}

void SmokeWindowTest::startTest(int selection) {
    form->Combo1.setListIndex(selection);
    form->Combo1_Click();
    form->Command2_Click();
    if (form->linkMode() == 2) {
        // The instrument zeroes, then measures again.
        script.status = 4;
        ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTAZE"; }));
        script.status = 8;
        ASSERT_TRUE(tickUntil([&] { return form->LastStatus == "RSTMIS" && form->InstrumentState == "RSEC"; }));
    } else {
        ASSERT_TRUE(tickUntil([&] { return form->PendingStart.isEmpty(); }));
        reachMeasuring();
    }
}

QStringList SmokeWindowTest::requests() const {
    return requestsSince(0);
}

QStringList SmokeWindowTest::requestsSince(qsizetype first) const {
    QStringList lines;
    const auto& written = port->written();
    for (qsizetype i = first; i < written.size(); ++i) {
        const QByteArray& frame = written[i];
        if (form->linkMode() == 1 && isMakerFrame(frame)) {
            lines << QStringLiteral("0x") +
                         QStringLiteral("%1").arg(static_cast<unsigned char>(frame[3]), 2, 16, QChar('0')).toUpper();
        } else if (const auto request = sim::ParseMctcRequest(frame)) {
            lines << QString::fromLatin1(request->hasData ? request->command + ' ' + request->data : request->command);
        }
    }
    return lines;
}

QString SmokeWindowTest::lastRequest() const {
    const QStringList all = requests();
    return all.isEmpty() ? QString() : all.last();
}

QByteArray SmokeWindowTest::mctcReply(const QByteArray& command, const QByteArray& data) {
    QByteArray body;
    body.append(FrameByte::Stx).append("OPA").append(FrameByte::Etb).append('1').append(FrameByte::Etb);
    body.append(command).append(FrameByte::Etb).append(data);
    return body + MctcChecksum(body);
}

QByteArray SmokeWindowTest::makerReply(int command, const QByteArray& data) const {
    QByteArray frame = BuildMakerFrame(form->model().address, command, data);
    frame[2] = FrameByte::Ack;
    return frame;
}

QByteArray SmokeWindowTest::makerValues(const std::vector<std::pair<int, QByteArray>>& records) const {
    QByteArray data;
    for (const auto& [channel, raw] : records) {
        data.append(static_cast<char>(channel)).append('\0').append('\0').append(raw);
    }
    return makerReply(maker_command::Values, data);
}

QByteArray SmokeWindowTest::answerTo(const QByteArray& request) const {
    const OpacimeterScript& s = script;
    if (form->linkMode() == 1) {
        if (!isMakerFrame(request))
            return {};
        using namespace maker_command;
        switch (static_cast<unsigned char>(request[3])) {
        case Identify: return makerReply(Identify, "X004217");
        case ExpiryDate: return makerReply(ExpiryDate, "311230");
        case ChannelList:
        case Start: return makerReply(request[3], {});
        case Status: {
            QByteArray data;
            data.append(static_cast<char>(s.stateCode)).append(static_cast<char>(s.alarm));
            data.append(static_cast<char>(s.flags)).append('\0').append(static_cast<char>(s.auxiliary));
            return makerReply(Status, data);
        }
        case Values: {
            const QByteArray data = record(3, 0) + record(5, s.cell) + record(6, s.oil) + record(0, s.smoke) +
                                    record(2, 0) + record(8, s.rpm) + record(1, s.percent * 10) + record(7, s.k * 100);
            return makerReply(Values, data);
        }
        default: return {};
        }
    }
    const auto parsed = sim::ParseMctcRequest(request);
    if (!parsed)
        return {};
    const QByteArray& command = parsed->command;
    if (command == "ID")
        return mctcReply(command, fields({"KORVELLAN", "OPA 500", "OM-42", "004217", "31122030", s.version, ""}));
    if (command == "@LU") {
        const bool slide = parsed->data == "20";
        return mctcReply(command, fields({slide ? s.slide : s.operating, slide ? "020" : "021"}));
    }
    if (command == "@RD")
        return mctcReply(command,
                         fields({"80", "98", "97", "35", "1013", QByteArray::number(s.voltage * 1000, 'f', 0)}));
    if (command == "ST" || command == "@ST")
        return mctcReply(command, QByteArray(1, static_cast<char>(0x40 | s.status)));
    if (command == "@RS")
        return mctcReply(command, QByteArray(1, static_cast<char>(0x80 | s.registerCode)) + FrameByte::Etb + "0");
    if (command == "@VA")
        return mctcReply(command, fields({number(s.k), number(s.percent), number(s.rpm), number(s.oil), number(s.smoke),
                                          number(s.cell), "0", s.errorField}));
    if (command == "AZ" || command == "SB")
        return mctcReply(command, s.errorField);
    return {};
}
