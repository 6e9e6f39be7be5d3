#pragma once

#include "link/FakeSerialPort.h"
#include "link/FrameBytes.h"
#include "link/MctcFrame.h"
#include "settings/RCLIni.h"
#include "shared/Globals.h"
#include "sim/FakePortConnection.h"
#include "sim/ScenarioClock.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QByteArrayList>
#include <QString>

#include <memory>
#include <ostream>

// Texts in failure messages as text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// The texts the set-up windows show, as a language table would hold them.
inline void SetSetupTexts(Globals& g) {
    g.lang.UiText[16] = "Oil temp.";
    g.lang.UiText[68] = "Gas analyser";
    g.lang.UiText[70] = "&Data";
    g.lang.UiText[71] = "&Apply";
    g.lang.UiText[73] = "Type approval no.";
    g.lang.UiText[79] = "Make and type";
    g.lang.UiText[89] = "Smoke meter";
    g.lang.UiText[91] = "&Identify";
    g.lang.UiText[95] = "Serial no.";
    g.lang.UiText[96] = "Check expiry";
    g.lang.UiText[126] = "unavailable";
    g.lang.UiText[138] = "Cylinders";
    g.lang.UiText[139] = "Strokes";
    g.lang.UiText[151] = "Settings saved.";
}

// An "ID" reply carrying the given identity fields.
inline QByteArray IdentityReply(const QByteArray& device, const QByteArrayList& fields) {
    return BuildMctcFrame(device, "ID", "1", fields.join(FrameByte::Etb));
}
inline QByteArray IdentityReply(const QByteArray& device, const QByteArray& model) {
    return IdentityReply(device, {"KAPRO", model, "OM 777", "SN-1", "01022030", "2.10", ""});
}

// A set-up form on an in-memory port, in a working directory of its own. The
// port stays reachable after the form has taken it over.
template <typename Form> class SetupFormTest : public StationDirsTest {
  protected:
    void SetUp() override {
        StationDirsTest::SetUp();
        SetSetupTexts(g);
    }
    void TearDown() override {
        connection.reset();
        instrument.reset();
        form.reset();
        StationDirsTest::TearDown();
    }

    void writeConf(const QString& text) { writeBytes(workFile("Conf.ini"), text.toLatin1()); }
    QString confValue(const QString& section, const QString& key) const {
        RCLIni ini;
        ini.File = workFile("Conf.ini");
        ini.Section = section;
        ini.key = key;
        return ini.GetValue() ? ini.Value : QStringLiteral("<absent>");
    }

    void open() {
        auto fake = std::make_unique<FakeSerialPort>();
        port = fake.get();
        form = std::make_unique<Form>(g, dialogs, std::move(fake));
        form->Form_Load();
    }
    // The instrument on the other end of the port answers by itself.
    template <typename Instrument> void connect(Instrument& instrument) {
        connection = std::make_unique<sim::FakePortConnection>(instrument.engine(), *port);
    }
    // The same with an instrument the fixture keeps until the connection is gone.
    template <typename Instrument, typename... Args> Instrument& connectNew(Args&&... args) {
        auto made = std::make_shared<Instrument>(clock, std::forward<Args>(args)...);
        instrument = made;
        connect(*made);
        return *made;
    }
    // Lets the simulated instrument answer.
    void settle() { clock.advanceBy(500); }

    // What the form wrote: device, number, command and data, blank-separated.
    QStringList requests() const {
        QStringList sent;
        for (const QByteArray& frame : port->written()) {
            const QByteArrayList parts = frame.mid(1, frame.size() - 4).split(FrameByte::Etb);
            sent << QString::fromLatin1(parts.join(' '));
        }
        return sent;
    }

    Globals g;
    RecordingDialogs dialogs;
    sim::ScenarioClock clock;
    FakeSerialPort* port = nullptr;
    std::unique_ptr<Form> form;
    std::shared_ptr<void> instrument;
    std::unique_ptr<sim::FakePortConnection> connection;
};
