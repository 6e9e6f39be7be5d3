#pragma once

#include "SimulatorProcess.h"

#include "archive/TestArchive.h"
#include "gas/QtPrinters.h"

#include "shared/Globals.h"
#include "support/RecordingDialogs.h"
#include "support/StationDirs.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace archive {
class LaneArchive;
}

namespace e2e {

// COM port numbers the live tests give each instrument in [PORTE].
constexpr int OpacimeterCom = 1;
constexpr int AnalyserCom = 2;
constexpr int RevCounterCom = 3;

// The rev counter identity Conf.ini gives; the reports carry it.
inline const QString RevCounterMake = QStringLiteral("Quaveron RPM 8");
inline const QString RevCounterSerial = QStringLiteral("RPM0042");

// A whole station in real time: the measuring windows and the rev counter
// window on real serial ports against quaveron-sim processes, with prints sent
// to a PDF file. The rev counter supplies engine speed and oil temperature.
class LiveStationTest : public StationDirsTest {
  protected:
    LiveStationTest();
    ~LiveStationTest() override;
    void SetUp() override;
    // Derived fixtures close their windows first, then call this.
    void TearDown() override;

    // Starts (or starts again, as an instrument switched off and on) the rev
    // counter with `--speed` and `--oil` points; fails the test when it does not run.
    // With `cued`, the profiles hold their first point until revCounter.cue().
    void startRevCounter(const QString& speedPoints, const QString& oilPoints, bool cued = false);
    // Writes Conf.ini: [PORTE] for the three links, [RPM] supplying speed and
    // oil temperature, then `sections` as given (CR LF line ends); then reads
    // the ports as the main window does at start-up.
    void writeConf(const QString& sections);
    // Opens the rev counter window minimised, as the main window does beside a
    // measuring window, and waits for it to read `speed` and `oil`.
    void openRevCounterWindow(double speed, double oil);

    // report.log as key=value pairs, in order of the lines, and as lines.
    QStringList reportLines() const;
    QMap<QString, QString> reportValues() const;
    // Pages of the PDF the prints went to; -1 when there is none.
    int printedPages() const;
    // Renders the first printed page under the screenshots folder as `fileName` (.png).
    bool keepPrintedPage(const QString& fileName) const;

    // The archive the windows keep their concluded tests in, beside report.log,
    // and every record in it, oldest first.
    QList<archive::ListedRecord> archivedRecords() const;
    // The record holds report.log's lines byte for byte, in order, as its first fields.
    void expectRecordHoldsReport(const archive::StoredRecord& record) const;
    // Opens the newest record in the archive window and prints it: its page
    // renders the same as the test's own print, and is kept as `fileName` (.png).
    void expectReprintMatchesPrint(const QString& fileName);

    QString link(const char* name) const;
    QString text(int position) const { return g.lang.UiText[position]; }

    Globals g;
    RecordingDialogs dialogs;
    SimulatorProcess revCounter;
    QString pdfPath;
    // Every modal window is answered as it opens, so none can stall a test: a
    // printed sheet gets its print button pressed, then its close button; a
    // message window its OK button (Command1), as the operator would. What
    // each showed, in order: a sheet's caption, a message window's caption
    // and text ("Quaveron: text").
    QStringList sheetsPrinted;
    QStringList messagesAcknowledged;
    // How many sheets had been printed as each test was kept.
    QList<int> printedWhenKept;

  private:
    void answerModal();

    class WatchedArchive;
    QString archivePath_;
    qint64 firstRecord_ = 1;
    std::unique_ptr<archive::TestArchive> archive_;
    std::unique_ptr<archive::LaneArchive> lane_; // the lane of a centre, in the two-lane test
    std::unique_ptr<WatchedArchive> watchedArchive_;
    QTimer modalWatch_;
    bool printing_ = false;
    QString revCounterPoints_[2];
};

} // namespace e2e
