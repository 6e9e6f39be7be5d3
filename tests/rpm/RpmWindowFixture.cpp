#include "RpmWindowFixture.h"

#include "ui/Clock.h"

#include <QDir>
#include <QFile>

void installPictures(const QString& programDirectory) {
    const QDir pictures(QDir(programDirectory).filePath("Immagini"));
    ASSERT_TRUE(pictures.mkpath("."));
    for (const char* name : {"RPM.ico", "Temperature.ico"})
        ASSERT_TRUE(QFile::copy(sourceDataPath(QStringLiteral("Immagini/") + name), pictures.filePath(name))) << name;
}

void RpmWindowTest::SetUp() {
    StationDirsTest::SetUp();
    ui::Clock::set(QDateTime(QDate(2024, 3, 5), QTime(9, 30, 0)));
    g.lang.UiText[126] = QStringLiteral("non disponibile");
    g.lang.UiText[138] = QStringLiteral("Cilindri");
    g.lang.UiText[139] = QStringLiteral("Tempi");
    instrument.setSpeedProfile(sim::Profile::constant(850));
    instrument.setOilProfile(sim::Profile::constant(82.5));
}

void RpmWindowTest::TearDown() {
    closeWindow();
    StationDirsTest::TearDown();
}

void RpmWindowTest::closeWindow() {
    connection.reset();
    form.reset();
    port = nullptr;
}

void RpmWindowTest::writeSettings(const RevCounterSetup& s) {
    const QString text =
        QStringLiteral("[RPM]\r\nMarca=KAPRO\r\nNOmol=OM 1234\r\nNserie=R500-0042\r\nScadenza=31/12/2030\r\n"
                       "TCOMrpm=%1\r\nTBRaterpm=%2\r\nNCilindriRPM=%3\r\nNTempiRPM=%4\r\n"
                       "ExternRPM=%5\r\nExternToil=0\r\nSelrpmT=%6\r\n")
            .arg(s.port)
            .arg(s.baud)
            .arg(s.cylinders)
            .arg(s.strokes)
            .arg(s.externalRpm)
            .arg(s.choice);
    writeBytes(workFile("Conf.ini"), text.toLatin1());
}

void RpmWindowTest::makeWindow() {
    closeWindow();
    auto fake = std::make_unique<FakeSerialPort>();
    port = fake.get();
    form = std::make_unique<RPM>(g, dialogs, std::move(fake));
    connection = std::make_unique<sim::FakePortConnection>(instrument.engine(), *port);
}

void RpmWindowTest::openWindow(const RevCounterSetup& setup) {
    writeSettings(setup);
    makeWindow();
    form->Form_Load();
}

void RpmWindowTest::tick(int count) {
    for (int i = 0; i < count; ++i) {
        form->Timer2.tick();
        clock.advanceBy(Beat);
        ui::Clock::advance(Beat);
    }
}

QList<sim::MctcRequest> RpmWindowTest::requests() const {
    QList<sim::MctcRequest> parsed;
    for (const QByteArray& frame : port->written())
        if (const auto request = sim::ParseMctcRequest(frame))
            parsed.append(*request);
    return parsed;
}

QStringList RpmWindowTest::conversation() const {
    return conversationSince(0);
}

QStringList RpmWindowTest::conversationSince(qsizetype first) const {
    QStringList lines;
    const QList<sim::MctcRequest> all = requests();
    for (qsizetype i = first; i < all.size(); ++i) {
        const sim::MctcRequest& r = all[i];
        lines << QString::fromLatin1(r.hasData ? r.command + ' ' + r.data : r.command);
    }
    return lines;
}
