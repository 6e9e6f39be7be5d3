#pragma once

#include "archive/ARCHIVIOSET.h"
#include "ui/FormDialog.h"

// The archive settings: the kind on top, the server's fields under it, the
// connection test with its answer in words (and the server's own, smaller),
// then save and ESC.
class ARCHIVIOSETView : public ui::FormDialog {
  public:
    explicit ARCHIVIOSETView(ARCHIVIOSET& form, QWidget* parent = nullptr);

    // Opens the window modal over `parent` until the operator closes it.
    static void showModal(Globals& g, ui::Dialogs& dialogs, QWidget* parent);
};
