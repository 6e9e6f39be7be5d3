#include "app/QtServerNotice.h"

#include <QMessageBox>

QtServerNotice::~QtServerNotice() {
    delete box_;
}

void QtServerNotice::showNotice(const QString& text) {
    if (!box_) {
        box_ = new QMessageBox(QMessageBox::Information, QStringLiteral("Quaveron"), QString(), QMessageBox::Ok,
                               parent_, Qt::Tool);
        box_->setModal(false);
        box_->setAttribute(Qt::WA_ShowWithoutActivating);
        box_->setObjectName(QStringLiteral("ServerNotice"));
        QObject::connect(box_, &QMessageBox::finished, box_, [this] { dismissed_ = box_->text(); });
    }
    box_->setText(text);
    if (!box_->isVisible() && text != dismissed_)
        box_->show();
}

void QtServerNotice::hideNotice() {
    dismissed_.clear();
    if (box_)
        box_->hide();
}
