#include "LiveStation.h"

#include "app/QtArchiveSheets.h"
#include "archive/ARCHIVIO.h"
#include "archive/LaneArchive.h"
#include "lang/LanguageTexts.h"
#include "report/PrintoutView.h"
#include "rpm/RPMView.h"
#include "settings/ConfFile.h"
#include "settings/Win1252.h"
#include "ui/Clock.h"
#include "ui/Printing.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

namespace e2e {

namespace {

constexpr int ModalPollMs = 20;
constexpr int RevCounterReadMs = 5000;
constexpr int PdfToolMs = 10000;
constexpr int LaneSendingMs = 20000;

// The two-lane test runs live tests as the programs of two lanes of one
// centre: each keeps its archive in a folder of the lane's and sends it on.
std::optional<ArchiveSettings> laneSettings() {
    if (!qEnvironmentVariableIsSet("QUAVERON_LANE"))
        return std::nullopt;
    ArchiveSettings s;
    s.kind = ArchiveSettings::Kind::PostgreSQL;
    s.lane = qEnvironmentVariable("QUAVERON_LANE");
    s.host = QStringLiteral("127.0.0.1");
    s.port = qEnvironmentVariableIntValue("QUAVERON_LANE_SERVER_PORT");
    s.database = qEnvironmentVariable("QUAVERON_LANE_DATABASE");
    s.user = qEnvironmentVariable("QUAVERON_LANE_USER");
    s.passwordFile = qEnvironmentVariable("QUAVERON_LANE_PASSWORD_FILE");
    return s;
}

class NoNotice : public archive::ServerNotice {
  public:
    void showNotice(const QString&) override {}
    void hideNotice() override {}
};

} // namespace

// Notes how many sheets were printed before each test reached the archive.
class LiveStationTest::WatchedArchive : public TestArchiveSink {
  public:
    WatchedArchive(LiveStationTest& test) : test_(test) {}
    void store(const ConcludedTest& concluded) override {
        test_.printedWhenKept << static_cast<int>(test_.sheetsPrinted.size());
        if (test_.lane_)
            test_.lane_->store(concluded);
        else
            test_.archive_->store(concluded);
    }

  private:
    LiveStationTest& test_;
};

LiveStationTest::LiveStationTest() = default;
LiveStationTest::~LiveStationTest() = default;

void LiveStationTest::SetUp() {
    StationDirsTest::SetUp();
    // One moment for the whole test, so a reprint shows the very times of the print.
    const QDateTime now = QDateTime::currentDateTime();
    ui::Clock::set(now.addMSecs(-now.time().msec()));
    const std::optional<ArchiveSettings> lane = laneSettings();
    archivePath_ = lane ? QDir(qEnvironmentVariable("QUAVERON_LANE_FOLDER")).filePath(QStringLiteral("archivio.sqlite"))
                        : archive::DefaultArchivePath();
    archive_ = std::make_unique<archive::TestArchive>(archivePath_, QStringLiteral("lane 1"), QStringLiteral("e2e"));
    ASSERT_TRUE(archive_->open(archive::TestArchive::Mode::ReadWrite)) << archive_->lastError().toStdString();
    // A lane's folder outlives the test: only this test's records are its own.
    firstRecord_ = archive_->count({}) + 1;
    watchedArchive_ = std::make_unique<WatchedArchive>(*this);
    g.report.Archive = watchedArchive_.get();
    installLanguageFile();
    LoadLanguageTexts(g, 1);
    if (lane) {
        g.settings.Archive = *lane;
        static NoNotice notice;
        lane_ = std::make_unique<archive::LaneArchive>(g, *archive_, *lane, notice);
    }
    pdfPath = programFile(QStringLiteral("printed.pdf"));
    ui::QtWindowPrinter::redirectToPdf(pdfPath);
    modalWatch_.setInterval(ModalPollMs);
    QObject::connect(&modalWatch_, &QTimer::timeout, [this] { answerModal(); });
    modalWatch_.start();
}

void LiveStationTest::TearDown() {
    modalWatch_.stop();
    // The rev counter window goes before its line does.
    RPMView::closeMinimised();
    pumpFor(50);
    revCounter.stop();
    ui::QtWindowPrinter::redirectToPdf(QString());
    g.report.Archive = nullptr;
    if (lane_) {
        // The lane's program stays up until the server has every test.
        const bool sent =
            waitUntil([this] { return lane_->status().waiting == 0 && lane_->status().reached; }, LaneSendingMs);
        EXPECT_TRUE(sent) << "still waiting: " << lane_->status().waiting << ", "
                          << lane_->status().problem.detail.toStdString();
        lane_.reset();
    }
    archive_.reset();
    StationDirsTest::TearDown();
}

QString LiveStationTest::link(const char* name) const {
    return QDir(work.path()).filePath(QStringLiteral("lines/") + QLatin1String(name));
}

void LiveStationTest::startRevCounter(const QString& speedPoints, const QString& oilPoints, bool cued) {
    revCounter.stop();
    QStringList options = {"--cylinders", "4",       "--strokes", "4",     "--delay",
                           "5",           "--speed", speedPoints, "--oil", oilPoints};
    if (cued)
        options << QStringLiteral("--cued");
    const bool started = revCounter.start(QStringLiteral("rpm"), link("rpm"), options);
    ASSERT_TRUE(started) << revCounter.error().toStdString();
}

void LiveStationTest::writeConf(const QString& sections) {
    const QString conf = QStringLiteral("[PORTE]\r\nCOM%1=%2\r\nCOM%3=%4\r\nCOM%5=%6\r\n")
                             .arg(OpacimeterCom)
                             .arg(link("opa"))
                             .arg(AnalyserCom)
                             .arg(link("gas"))
                             .arg(RevCounterCom)
                             .arg(link("rpm")) +
                         QStringLiteral("[RPM]\r\nMarca=%1\r\nNOmol=OM 4242\r\nNserie=%2\r\nScadenza=31/12/2030\r\n"
                                        "TCOMrpm=%3\r\nTBRaterpm=1\r\nNCilindriRPM=4\r\nNTempiRPM=4\r\n"
                                        "ExternRPM=1\r\nExternToil=1\r\nSelrpmT=1\r\n")
                             .arg(RevCounterMake, RevCounterSerial)
                             .arg(RevCounterCom) +
                         sections;
    writeBytes(workFile("Conf.ini"), conf.toLatin1());
    // The main window reads the ports and instrument makes at start-up.
    ASSERT_TRUE(LoadInstrumentPorts(g));
}

void LiveStationTest::openRevCounterWindow(double speed, double oil) {
    ASSERT_TRUE(RPMView::showMinimised(g, dialogs, nullptr));
    const bool reading =
        waitUntil([&] { return g.rpm.RpmValue == speed && g.rpm.OilTemperature == oil; }, RevCounterReadMs);
    ASSERT_TRUE(reading) << "the rev counter window reads " << g.rpm.RpmValue << " rpm, " << g.rpm.OilTemperature
                         << " C; requests: " << revCounter.trace().right(600).toStdString();
    ASSERT_EQ(g.settings.ExternalRpm, 1);
    ASSERT_EQ(g.settings.ExternalOilTemp, 1);
}

void LiveStationTest::answerModal() {
    QWidget* modal = QApplication::activeModalWidget();
    // Printing may pump events; the sheet being printed is not answered twice.
    // Closing is not guarded: a window may open the next one as it closes.
    if (!modal || printing_)
        return;
    auto* close = modal->findChild<QPushButton*>(QStringLiteral("Command1"));
    if (auto* sheet = dynamic_cast<PrintoutView*>(modal)) {
        if (auto* print = sheet->findChild<QPushButton*>(QStringLiteral("Command2"))) {
            printing_ = true;
            print->click();
            printing_ = false;
        }
        sheetsPrinted << modal->windowTitle();
    } else {
        const auto* message = modal->findChild<QLabel*>(QStringLiteral("Label1"));
        messagesAcknowledged << modal->windowTitle() + QStringLiteral(": ") + (message ? message->text() : QString());
    }
    if (close)
        close->click();
    else
        modal->close();
}

bool LiveStationTest::keepPrintedPage(const QString& fileName) const {
    QString prefix = screenshotPath(fileName);
    prefix.chop(4); // pdftoppm adds ".png"
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {"-png", "-singlefile", "-r", "60", pdfPath, prefix});
    return render.waitForFinished(PdfToolMs) && render.exitCode() == 0;
}

QList<archive::ListedRecord> LiveStationTest::archivedRecords() const {
    QList<archive::ListedRecord> records;
    archive::ArchiveFilter ownRecords;
    ownRecords.after = firstRecord_ - 1;
    archive_->forEach(ownRecords, [&](const archive::ListedRecord& listed) {
        EXPECT_TRUE(listed.check.ok()) << "record " << listed.record.sequence << ": "
                                       << archive::FaultText(listed.check).toStdString();
        records << listed;
        return true;
    });
    return records;
}

void LiveStationTest::expectRecordHoldsReport(const archive::StoredRecord& record) const {
    const QByteArray report = readBytes(programFile(QStringLiteral("report.log")));
    const QStringList lines = reportLines();
    QByteArray held;
    for (int i = 0; i < lines.size() && i < record.test.fields.size(); ++i) {
        const auto& [key, value] = record.test.fields[i];
        held += settings::toWin1252(key + u'=' + value) + "\r\n";
    }
    EXPECT_EQ(held, report) << "record " << record.sequence;
}

void LiveStationTest::expectReprintMatchesPrint(const QString& fileName) {
    const QString original = pdfPath;
    pdfPath = programFile(QStringLiteral("reprinted.pdf"));
    ui::QtWindowPrinter::redirectToPdf(pdfPath);
    QtArchiveSheets sheets(dialogs, nullptr);
    ARCHIVIO window(g, dialogs, sheets, archivePath_);
    window.Form_Load();
    // This test's record: the newest of this station's (a lane lists the others' too).
    const qint64 newest = archive_->count({});
    qsizetype row = 0;
    while (row < window.Rows.size() &&
           !(window.Rows[row].record.sequence == newest &&
             (window.Rows[row].lane.isEmpty() || window.Rows[row].lane == g.settings.Archive.lane)))
        ++row;
    ASSERT_LT(row, window.Rows.size()) << "record " << newest << " is not listed";
    const qsizetype printed = sheetsPrinted.size();
    window.List1.setListIndex(static_cast<int>(row));
    window.Command2_Click();
    EXPECT_EQ(sheetsPrinted.size(), printed + 1) << "the reprint was not printed";
    ASSERT_TRUE(keepPrintedPage(fileName));
    pdfPath = original;
    ui::QtWindowPrinter::redirectToPdf(pdfPath);
    ASSERT_TRUE(keepPrintedPage(QStringLiteral("original-") + fileName));
    const QImage reprint(screenshotPath(fileName));
    const QImage print(screenshotPath(QStringLiteral("original-") + fileName));
    ASSERT_FALSE(print.isNull());
    EXPECT_EQ(reprint, print) << "the reprinted page differs from the original print";
}

QStringList LiveStationTest::reportLines() const {
    QString all = QString::fromLatin1(readBytes(programFile(QStringLiteral("report.log"))));
    if (all.endsWith(QLatin1String("\r\n")))
        all.chop(2);
    return all.isEmpty() ? QStringList() : all.split(QStringLiteral("\r\n"));
}

QMap<QString, QString> LiveStationTest::reportValues() const {
    QMap<QString, QString> values;
    for (const QString& line : reportLines()) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            values.insert(line.left(equals), line.mid(equals + 1).trimmed());
    }
    return values;
}

int LiveStationTest::printedPages() const {
    if (!QFile::exists(pdfPath))
        return -1;
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdfPath});
    if (!info.waitForFinished(PdfToolMs) || info.exitCode() != 0)
        return -1;
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(QString::fromLatin1(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace e2e
