#include "RpmWindowFixture.h"

#include "rpm/RPMView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <typename Widget> Widget* child(QWidget& view, const char* name) {
    Widget* widget = view.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

} // namespace

TEST_F(RpmWindowTest, ViewShowsTheFormAndSendsClicksBack) {
    installPictures(program.path());
    // The operator corrects both counts to the engine's own before reading.
    instrument.setEngineLayout(8, 2);
    writeSettings({.cylinders = 6, .strokes = 4});
    makeWindow();
    {
        RPMView view(*form);
        form->Form_Load();
        view.show();
        EXPECT_EQ(view.windowTitle(), "  RPM");
        EXPECT_EQ(child<QLabel>(view, "Label1")->text(), "- - -");
        EXPECT_EQ(child<QLabel>(view, "Label5")->text(), "Cilindri");
        EXPECT_FALSE(child<QLabel>(view, "Picture1")->pixmap().isNull());
        EXPECT_FALSE(child<QLabel>(view, "Picture2")->pixmap().isNull());

        child<QPushButton>(view, "Command2")->click();
        EXPECT_EQ(child<QLineEdit>(view, "Text5")->text(), "8");
        EXPECT_EQ(g.settings.CylinderCount, 8);
        child<QRadioButton>(view, "Option7")->click();
        EXPECT_EQ(g.settings.StrokeCount, 2);
        EXPECT_FALSE(child<QRadioButton>(view, "Option6")->isChecked());

        tick(3);
        EXPECT_EQ(child<QLabel>(view, "Label1")->text(), "850");

        child<QPushButton>(view, "CmdOut")->click();
        EXPECT_FALSE(view.isVisible());
        EXPECT_FALSE(form->Timer2.enabled());
        EXPECT_FALSE(port->PortOpen());
    }
}

TEST_F(RpmWindowTest, OnlyOneMinimisedWindowTalksToTheInstrument) {
    writeSettings({});
    auto first = std::make_unique<FakeSerialPort>();
    FakeSerialPort* firstPort = first.get();
    RPMView* view = RPMView::showMinimised(g, dialogs, std::move(first), nullptr);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isMinimized());
    EXPECT_TRUE(firstPort->PortOpen());
    // Opening it again beside a second measuring window finds the same one.
    EXPECT_EQ(RPMView::showMinimised(g, dialogs, std::make_unique<FakeSerialPort>(), nullptr), view);
    EXPECT_EQ(g.link.RevCounterPort, firstPort);
    RPMView::closeMinimised();
    EXPECT_FALSE(firstPort->PortOpen());
    EXPECT_EQ(g.link.RevCounterPort, nullptr);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
