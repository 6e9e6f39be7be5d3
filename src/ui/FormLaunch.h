#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

#include <memory>
#include <utility>

namespace ui {

// Opening a window the usual way: make the form, make its view, run the form's
// load handler, show. The form's constructor takes `args`; a view takes (form, parent).

template <typename Form, typename View, typename... Args> void showFormModal(QWidget* parent, Args&&... args) {
    Form form(std::forward<Args>(args)...);
    View view(form, parent);
    form.Form_Load();
    view.exec();
}

// A modeless window outlives the call that opened it, so its form lives on the
// heap and goes when the view goes. The deletion waits for the event loop: while
// the view is being destroyed its child widgets still unsubscribe from the form's
// control states, so the form must not vanish before they have.
template <typename Form> void deleteFormWithView(Form* form, QWidget* view) {
    view->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(view, &QObject::destroyed, QCoreApplication::instance(), [form] {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [form] { delete form; }, Qt::QueuedConnection);
    });
}

template <typename Form, typename View, typename... Args> View* showFormModeless(QWidget* parent, Args&&... args) {
    Form* form = new Form(std::forward<Args>(args)...);
    auto* view = new View(*form, parent);
    deleteFormWithView(form, view);
    form->Form_Load();
    view->show();
    return view;
}

} // namespace ui
