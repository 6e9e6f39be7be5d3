#include "ui/Controls.h"
#include "ui/FieldSheet.h"
#include "ui/MeasuringWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

QStringList buttonNames(const QLayout* row) {
    QStringList names;
    for (int i = 0; i < row->count(); ++i) {
        if (const QWidget* widget = row->itemAt(i)->widget())
            names.append(widget->objectName());
        else if (row->itemAt(i)->spacerItem())
            names.append(QStringLiteral("|"));
    }
    return names;
}

} // namespace

TEST(CommandRow, ButtonsInOrderExitApartEachRunningItsOwnHandler) {
    // The controls outlive the widgets bound to them.
    ui::Button start, stop, quit;
    QWidget window;
    std::vector<QString> clicked;
    QHBoxLayout* row = ui::commandRow(&window,
                                      {{start, "Start", [&] { clicked.push_back(QStringLiteral("start")); }},
                                       {stop, "Stop", [&] { clicked.push_back(QStringLiteral("stop")); }}},
                                      {quit, "Quit", [&] { clicked.push_back(QStringLiteral("quit")); }});
    window.setLayout(row);
    EXPECT_EQ(buttonNames(row), (QStringList{"Start", "Stop", "|", "Quit"}));

    window.findChild<QPushButton*>(QStringLiteral("Quit"))->click();
    window.findChild<QPushButton*>(QStringLiteral("Start"))->click();
    EXPECT_EQ(clicked, (std::vector<QString>{"quit", "start"}));

    // The buttons follow their controls' state.
    stop.setEnabled(false);
    stop.setCaption(QStringLiteral("Halt"));
    const auto* stopButton = window.findChild<QPushButton*>(QStringLiteral("Stop"));
    EXPECT_FALSE(stopButton->isEnabled());
    EXPECT_EQ(stopButton->text(), "Halt");
}

TEST(MeasuringPanels, ReadingsRightAlignedAndMessagesTallEnoughForTheirLines) {
    ui::Label reading, message;
    QWidget window;
    QLabel* value = ui::readingPanel(reading, QStringLiteral("Value"), &window, 20, 130);
    EXPECT_EQ(value->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(value->minimumWidth(), 130);
    EXPECT_EQ(value->font().pointSize(), 20);
    EXPECT_TRUE(value->font().bold());
    EXPECT_EQ(value->frameShadow(), QFrame::Sunken);

    // No size given: the window's own font stays.
    QLabel* plain = ui::readingPanel(reading, QStringLiteral("Plain"), &window, 0, 80, 2);
    EXPECT_EQ(plain->font(), window.font());
    EXPECT_EQ(plain->margin(), 2);

    QLabel* text = ui::messagePanel(message, QStringLiteral("Message"), &window, 14, 2, 8);
    EXPECT_TRUE(text->wordWrap());
    EXPECT_EQ(text->minimumHeight(), 2 * text->fontMetrics().height() + 8);
    message.setCaption(QStringLiteral("Warm-up"));
    EXPECT_EQ(text->text(), "Warm-up");
}

TEST(FieldSheet, CaptionsLeadTheirFieldsAndTheDefaultButtonApplies) {
    ui::Label firstCaption(QStringLiteral("First")), secondCaption(QStringLiteral("Second"));
    ui::TextBox first;
    ui::Button apply(QStringLiteral("OK"));
    QWidget window;
    int applied = 0;
    ui::FieldSheet sheet(&window, 110);
    QLineEdit* firstBox = sheet.addTextField(firstCaption, QStringLiteral("Label1"), first, QStringLiteral("Text1"));
    auto* other = new QLineEdit(&window);
    sheet.addField(secondCaption, QStringLiteral("Label2"), other);
    sheet.finish(apply, QStringLiteral("CmdApl"), [&] { ++applied; });

    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label1"))->buddy(), firstBox);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label2"))->buddy(), other);
    first.setText(QStringLiteral("12.5"));
    EXPECT_EQ(firstBox->text(), "12.5");

    auto* button = window.findChild<QPushButton*>(QStringLiteral("CmdApl"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isDefault());
    button->click();
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(window.layout()->sizeConstraint(), QLayout::SetFixedSize);
}
