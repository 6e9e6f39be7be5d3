#pragma once

#include "ui/BoundWidget.h"
#include "ui/Controls.h"

#include <QObject>
#include <QPushButton>
#include <QString>

class QLabel;
class QWidget;

namespace ui {

// The widgets the measuring windows are built of, each named as its control
// and bound to the control's state.

QLabel* boundLabel(Label& state, const QString& name, QWidget* parent);

// A reading or a result: sunken panel, figures on the right, at least
// minimumWidth wide. A pointSize of 0 keeps the window's font.
QLabel* readingPanel(Label& state, const QString& name, QWidget* parent, int pointSize, int minimumWidth,
                     int margin = 0);

// A message across the window (state, instruction, result): bold, centred,
// wrapped, in a sunken panel tall enough for `lines` lines and `padding` pixels.
QLabel* messagePanel(Label& state, const QString& name, QWidget* parent, int pointSize, int lines, int padding,
                     int margin = 0);

template <typename Handler>
QPushButton* boundButton(Button& state, const QString& name, QWidget* parent, Handler handler) {
    QPushButton* widget = boundWidget<QPushButton>(state, name, parent);
    QObject::connect(widget, &QPushButton::clicked, widget, handler);
    return widget;
}

} // namespace ui
