#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What the opacimeter's three-digit error code asks of the window.
struct OpacimeterErrorOutcome {
    // The code is one the window knows: the check is disarmed.
    bool known = false;
    // Shown in the critical message window, the scheduler stopped meanwhile.
    std::optional<QString> title;
    QString text;
};

// English texts for language 2, Italian otherwise; code "010" shows the
// language table's own text, given as cellTooColdText.
OpacimeterErrorOutcome EvaluateOpacimeterError(const QByteArray& code, int languageCode,
                                               const QString& cellTooColdText);

// The notice that asks the operator to check the opacimeter's port set-up,
// when a reply cannot be read: Italian for language 1, English for 2; no
// text for any other language (the notice then keeps the text it held).
std::optional<QString> SmokePortHint(int languageCode);
