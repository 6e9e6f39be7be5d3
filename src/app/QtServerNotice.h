#pragma once

#include "archive/LaneArchive.h"

#include <QPointer>

class QMessageBox;
class QWidget;

// The notice about the centre's server: a small window beside the others that
// takes no focus and stops nothing. Once the operator closes it, it comes back
// only when more tests are waiting.
class QtServerNotice : public archive::ServerNotice {
  public:
    explicit QtServerNotice(QWidget* parent) : parent_(parent) {}
    ~QtServerNotice() override;

    void showNotice(const QString& text) override;
    void hideNotice() override;

  private:
    QWidget* parent_;
    QPointer<QMessageBox> box_;
    QString dismissed_;
};
