#pragma once

#include "ui/Binding.h"

#include <QString>
#include <QWidget>

namespace ui {

// A new widget of the given kind, named as its control (so tests and style sheets
// can find it) and bound to the control's state.
template <typename Widget, typename State> Widget* boundWidget(State& state, const QString& name, QWidget* parent) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    bind(state, widget);
    return widget;
}

} // namespace ui
