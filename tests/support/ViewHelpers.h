#pragma once

#include "support/StationDirs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

// Replaces a box's contents the way an operator does: select all, then type.
inline void typeInto(QLineEdit* box, const QString& text) {
    box->selectAll();
    if (text.isEmpty()) {
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(box, &del);
        return;
    }
    for (const QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &key);
    }
}

// Shows the window, lets it lay itself out and writes its picture under the
// build's screenshots folder. The offscreen platform draws no frame, so a plain
// title strip with the window's caption goes on top for the reader to check.
inline bool saveScreenshot(QWidget* window, const QString& fileName) {
    window->show();
    QApplication::processEvents();
    const QPixmap content = window->grab();
    const int titleHeight = window->fontMetrics().height() + 10;
    QPixmap shot(content.width(), content.height() + titleHeight);
    shot.fill(QColor(0x2b, 0x4a, 0x7a));
    QPainter painter(&shot);
    painter.setPen(Qt::white);
    painter.setFont(window->font());
    painter.drawText(QRect(8, 0, content.width() - 16, titleHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     window->windowTitle());
    painter.drawPixmap(0, titleHeight, content);
    painter.end();
    return shot.save(screenshotPath(fileName));
}
