#include "app/MessageWindow.h"

MessageWindow::MessageWindow(Globals& g, const QString& caption) : Me(caption), g_(g) {}

void MessageWindow::Command1_Click() {
    Me.requestClose();
}
