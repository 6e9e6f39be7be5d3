#pragma once

#include "ui/Controls.h"
#include "ui/Timer.h"

#include <QColor>
#include <QString>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QGroupBox;
class QWidget;

namespace ui {

// Colour integers (blue-green-red) to QColor; system colours give an invalid QColor.
QColor toQColor(Colour colour);
// A caption with access-key marks as a plain label shows it: "&&" is one '&', a lone '&' vanishes.
QString plainCaption(const QString& caption);

// Each bind() shows the control state on the widget now and after every change,
// and sends the operator's edits back into the state. The binding ends when the
// widget is destroyed; the state must outlive the widget.
void bind(Label& state, QLabel* widget);
void bind(Button& state, QPushButton* widget);
void bind(Frame& state, QGroupBox* widget);
void bind(TextBox& state, QLineEdit* widget);
void bind(ListBox& state, QComboBox* widget);
void bind(ListBox& state, QListWidget* widget);
void bind(CheckBox& state, QCheckBox* widget);
void bind(OptionButton& state, QRadioButton* widget);
void bind(ProgressBar& state, QProgressBar* widget);
void bind(Picture& state, QLabel* widget);
void bind(MenuItem& state, QAction* action);
void bind(ScrollBar& state, QScrollBar* widget);
// The window's caption, minimised state and close requests.
void bind(Window& state, QWidget* window);
// A precise Qt timer that follows the state and ticks it; owned by `owner`.
void drive(Timer& timer, QWidget* owner);

// Loads a picture by name from the data folder beside the executable or the working directory.
QString findDataFile(const QString& relativePath);

} // namespace ui
