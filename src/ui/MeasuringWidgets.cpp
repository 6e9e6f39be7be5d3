#include "ui/MeasuringWidgets.h"

#include "ui/BoundWidget.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace ui {

namespace {

void setBoldSize(QLabel* widget, int pointSize) {
    QFont font = widget->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    widget->setFont(font);
}

void sink(QLabel* widget, int margin) {
    widget->setFrameShape(QFrame::Panel);
    widget->setFrameShadow(QFrame::Sunken);
    if (margin > 0)
        widget->setMargin(margin);
}

QPushButton* boundButton(Button& state, const QString& name, QWidget* parent, const std::function<void()>& onClick) {
    QPushButton* widget = boundWidget<QPushButton>(state, name, parent);
    QObject::connect(widget, &QPushButton::clicked, widget, onClick);
    return widget;
}

} // namespace

QLabel* boundLabel(Label& state, const QString& name, QWidget* parent) {
    return boundWidget<QLabel>(state, name, parent);
}

QLabel* readingPanel(Label& state, const QString& name, QWidget* parent, int pointSize, int minimumWidth, int margin) {
    QLabel* widget = boundLabel(state, name, parent);
    if (pointSize > 0)
        setBoldSize(widget, pointSize);
    widget->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    widget->setMinimumWidth(minimumWidth);
    sink(widget, margin);
    return widget;
}

QLabel* messagePanel(Label& state, const QString& name, QWidget* parent, int pointSize, int lines, int padding,
                     int margin) {
    QLabel* widget = boundLabel(state, name, parent);
    setBoldSize(widget, pointSize);
    widget->setAlignment(Qt::AlignCenter);
    widget->setWordWrap(true);
    sink(widget, margin);
    widget->setMinimumHeight(lines * widget->fontMetrics().height() + padding);
    return widget;
}

QHBoxLayout* commandRow(QWidget* parent, std::initializer_list<CommandButton> commands, const CommandButton& exit) {
    const auto add = [parent](QHBoxLayout* row, const CommandButton& command) {
        row->addWidget(boundButton(command.state, QString::fromLatin1(command.name), parent, command.onClick));
    };
    auto* row = new QHBoxLayout;
    for (const CommandButton& command : commands)
        add(row, command);
    row->addStretch();
    add(row, exit);
    return row;
}

} // namespace ui
