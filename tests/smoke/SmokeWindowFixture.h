#pragma once

#include "link/FakeSerialPort.h"
#include "shared/Globals.h"
#include "smoke/ANFUMO.h"
#include "smoke/Grafic.h"
#include "smoke/SmokeWindowLinks.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// Records the windows the smoke window opens, with the state of its scheduler
// at that moment; the message windows' texts are taken from g.app as shown.
class RecordingSmokeLinks : public SmokeWindowLinks {
  public:
    struct Shown {
        QString window;  // "Critic", "Exclam", "ExclamStampa", "LIMITI", ...
        QString caption; // Critic's title
        QString text;    // the message window's text
        bool schedulerRunning = false;
    };

    RecordingSmokeLinks(Globals& g, ui::Dialogs& dialogs) : g_(g), dialogs_(dialogs) {}

    void showCritic(const QString& caption) override { record("Critic", caption, g_.app.CriticText); }
    void showExclam() override { record("Exclam", {}, g_.app.ExclamText); }
    void showExclamStampa() override { record("ExclamStampa", {}, g_.app.ExclamPrintText); }
    void showLimits() override { record("LIMITI"); }
    void showVehicleData() override { record("DVeicoli"); }
    void showSmokePrint() override { record("StampaOpaB"); }
    void closeRevCounter() override { record("close RPM"); }
    // The chart window's form, loaded afresh each time as the real one is.
    void showChart() override {
        record("Grafic");
        openChart.reset();
        openChart = std::make_unique<Grafic>(g_, dialogs_);
        openChart->Form_Load();
    }
    Grafic* chart() override { return openChart.get(); }

    std::unique_ptr<Grafic> openChart;

    std::vector<Shown> shown;
    // Runs inside each modal call, as the operator would act while it is open.
    std::function<void(const Shown&)> whileOpen;

  private:
    void record(const QString& window, const QString& caption = {}, const QString& text = {}) {
        const ui::Timer* scheduler = g_.app.SmokeScheduler;
        shown.push_back({window, caption, text, scheduler && scheduler->enabled()});
        if (whileOpen)
            whileOpen(shown.back());
    }

    Globals& g_;
    ui::Dialogs& dialogs_;
};

// What the scripted opacimeter answers; tests change it between ticks.
struct OpacimeterScript {
    // Live values, both protocols.
    double k = 0.30;
    double percent = 12.0;
    double rpm = 800;
    double oil = 80;
    double smoke = 60;
    double cell = 85;
    // MCTC-NET.
    int status = 8; // measuring
    int registerCode = 0;
    QByteArray errorField = "001";
    QByteArray slide = "00016";
    QByteArray operating = "00002";
    double voltage = 13.2;
    QByteArray version = "4.10";
    // Maker frames: status reply bytes, ready with no alarm for models 1-4
    // (model 0 is ready with state code 128).
    int stateCode = 16;
    int alarm = 1;
    int flags = 16;
    int auxiliary = 60;
    bool answering = true;
};

// The smoke window on an in-memory port. With answering on, every request the
// window writes is answered at once by the scripted opacimeter, so one tick is
// one request and its reply. Language texts are their own keys
// ("ANFUMOFase"), so captions read as the key they come from.
class SmokeWindowTest : public StationDirsTest {
  protected:
    static constexpr int MctcModel = 5;

    void SetUp() override;
    void TearDown() override;

    // Conf.ini for a model, with the opacity limits.
    void writeConf(int model, int unit = 0);
    void openWindow(int model, int unit = 0);
    void closeWindow();

    void tick(int count = 1);
    // Ticks until the predicate holds; false if it never does within the limit.
    bool tickUntil(const std::function<bool()>& done, int limit = 2000);
    // Brings an MCTC-NET window to its measuring loop, or a maker one to ready.
    void reachMeasuring();
    // Start pressed in a selection, then ticks until the zeroing is over.
    void startTest(int selection);

    // Every request written, as "command data" (MCTC-NET) or "0x3F" (maker).
    QStringList requests() const;
    QStringList requestsSince(qsizetype first) const;
    QString lastRequest() const;

    // Replies the scripted opacimeter sends; also for tests to send by hand.
    QByteArray answerTo(const QByteArray& request) const;
    static QByteArray mctcReply(const QByteArray& command, const QByteArray& data);
    QByteArray makerReply(int command, const QByteArray& data) const;
    // A maker value reply with these raw channel values.
    QByteArray makerValues(const std::vector<std::pair<int, QByteArray>>& records) const;

    QString text(int position) const { return g.lang.UiText[position]; }

    Globals g;
    RecordingDialogs dialogs;
    RecordingSmokeLinks* links = nullptr;
    FakeSerialPort* port = nullptr;
    std::unique_ptr<ANFUMO> form;
    OpacimeterScript script;
};
