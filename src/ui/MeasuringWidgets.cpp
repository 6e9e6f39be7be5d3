#include "ui/MeasuringWidgets.h"

#include <QFont>
#include <QLabel>

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

} // namespace ui
