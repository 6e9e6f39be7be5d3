#include "app/Password.h"

#include "shared/Globals.h"

namespace {
// Compared character by character: letter case matters.
constexpr QLatin1String ServicePassword("TORVA");
} // namespace

Password::Password(Globals& g) : g_(g) {
    Text1.setPasswordMask(true);
}

void Password::OK_Click() {
    g_.app.PasswordResult = Text1.text() == ServicePassword ? Accepted : Rejected;
    Me.requestClose();
}

void Password::Annulla_Click() {
    g_.app.PasswordResult = Cancelled;
    Me.requestClose();
}

bool Password::Form_QueryUnload() {
    g_.app.PasswordResult = Cancelled;
    return true;
}
