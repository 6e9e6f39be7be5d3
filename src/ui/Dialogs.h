#pragma once

#include <QString>

namespace ui {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

// Message boxes and the beep. Forms talk to this interface; the program shows
// real message boxes, tests record what was shown and answer as scripted.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer message(const QString& text, const QString& title = QString(), Icon icon = Icon::None,
                           Buttons buttons = Buttons::Ok) = 0;
    virtual void beep() = 0;
};

} // namespace ui
