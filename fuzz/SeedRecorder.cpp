// Writes the seed corpora: what each window receives from the in-process
// simulated instrument during a normal start-up, in the fuzz targets' chunk
// format, one tick after each scheduler beat's bytes.
//   fuzz_seeds <corpus folder>

#include "FuzzedWindows.h"

#include "sim/FakePortConnection.h"
#include "sim/GasAnalyserSim.h"
#include "sim/InstrumentEngine.h"
#include "sim/OpacimeterSim.h"
#include "sim/RevCounterSim.h"
#include "sim/ScenarioClock.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// Runs `beats` scheduler beats of `beatMs` with the instrument wired to the
// port, and returns the bytes that arrived in each beat.
QList<QByteArray> record(sim::ScenarioClock& clock, sim::InstrumentEngine& engine, FakeSerialPort& port,
                         const std::function<void()>& tick, int beats, int beatMs) {
    sim::FakePortConnection connection(engine, port);
    QByteArray beat;
    engine.setOutput([&](const QByteArray& bytes) {
        beat += bytes;
        port.receive(bytes);
    });
    QList<QByteArray> groups;
    for (int i = 0; i < beats; ++i) {
        tick();
        clock.advanceBy(beatMs);
        groups << beat;
        beat.clear();
    }
    return groups;
}

bool writeSeed(const QString& folder, const QString& target, const QString& name, std::uint8_t choice,
               const QList<QByteArray>& groups) {
    QDir dir(folder);
    if (!dir.mkpath(target))
        return false;
    QFile file(dir.filePath(target + QLatin1Char('/') + name));
    const QByteArray bytes = QByteArray(1, static_cast<char>(choice)) + fuzz::EncodeChunks(groups);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QList<QByteArray> revCounterSeed() {
    // Choice 3: four cylinders, four strokes, speed shown.
    fuzz::InstallStation("[RPM]\r\nTCOMrpm=3\r\nTBRaterpm=2\r\nNCilindriRPM=4\r\nNTempiRPM=4\r\nSelrpmT=0\r\n");
    sim::ScenarioClock clock;
    sim::RevCounterSim counter(clock);
    fuzz::RevCounterWindow window;
    return record(
        clock, counter.engine(), window.port, [&] { window.form.Timer2.tick(); }, 12, 250);
}

QList<QByteArray> gasSeed(int model) {
    fuzz::InstallStation(
        QStringLiteral("[COMKAPRO]\r\nTModCom=%1\r\nTCOM=2\r\nTBRate=2\r\n[MODKAPRO]\r\nModello=%2\r\n")
            .arg(model == 3 ? 2 : 1)
            .arg(model)
            .toLatin1());
    sim::ScenarioClock clock;
    sim::GasAnalyserSettings settings;
    settings.model = model;
    settings.timing = {.warmUp = 500, .zeroing = 300, .leakTest = 300, .hcResidueTest = 300};
    sim::GasAnalyserSim analyser(clock, settings);
    fuzz::GasWindow window;
    return record(
        clock, analyser.engine(), window.port, [&] { window.form.Timer1.tick(); }, 80, 25);
}

QList<QByteArray> smokeSeed(int model) {
    fuzz::InstallStation(QStringLiteral("[COMOPA]\r\nTModCom=%1\r\nTCOM=1\r\nTBRate=2\r\n[MODOPA]\r\nModello=%2\r\n")
                             .arg(model == 5 ? 2 : 1)
                             .arg(model)
                             .toLatin1());
    sim::ScenarioClock clock;
    sim::OpacimeterScenario scenario;
    scenario.timing = {0, 0, 0};
    sim::OpacimeterSim opacimeter(clock, model, scenario);
    fuzz::SmokeWindow window;
    return record(
        clock, opacimeter.engine(), window.port, [&] { window.form.Timer1.tick(); }, 80, 25);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <corpus folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    // Choice bytes as each target reads them: fuel 1 and diagnosis (bits 2-5
    // give 13, and 13 % 6 is 1) with the maker model in the remainder by 3 for
    // the gas window; continuous measuring and the model for the smoke window.
    constexpr std::uint8_t GasChoice = 0x34;
    const bool written = writeSeed(folder, "fuzz_rpm", "start-up", 3, revCounterSeed()) &&
                         writeSeed(folder, "fuzz_gas_mctc", "start-up", GasChoice, gasSeed(3)) &&
                         writeSeed(folder, "fuzz_gas_maker", "start-up-model-0", GasChoice + 2, gasSeed(0)) &&
                         writeSeed(folder, "fuzz_gas_maker", "start-up-model-2", GasChoice + 1, gasSeed(2)) &&
                         writeSeed(folder, "fuzz_smoke_mctc", "start-up", 0, smokeSeed(5)) &&
                         writeSeed(folder, "fuzz_smoke_maker", "start-up-model-0", 0, smokeSeed(0)) &&
                         writeSeed(folder, "fuzz_smoke_maker", "start-up-model-1", 1, smokeSeed(1));
    if (!written) {
        std::fprintf(stderr, "fuzz_seeds: cannot write under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
