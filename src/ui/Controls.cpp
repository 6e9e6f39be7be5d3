#include "ui/Controls.h"

namespace ui {

int Control::subscribe(Observer observer) {
    const int token = ++nextToken_;
    observers_.emplace(token, std::move(observer));
    return token;
}

void Control::unsubscribe(int token) { observers_.erase(token); }

void Control::notify() {
    // Copy first: an observer may unsubscribe while we iterate.
    const auto observers = observers_;
    for (const auto& [token, observer] : observers)
        if (observer)
            observer();
}

void ListBox::addItem(const QString& text) {
    items_.append(text);
    notify();
}

void ListBox::removeItem(int index) {
    if (index < 0 || index >= items_.size())
        return;
    items_.removeAt(index);
    if (listIndex_ >= items_.size())
        listIndex_ = -1;
    notify();
}

void ListBox::clear() {
    if (items_.isEmpty() && listIndex_ == -1)
        return;
    items_.clear();
    listIndex_ = -1;
    notify();
}

void ListBox::setItems(const QStringList& items) {
    items_ = items;
    if (listIndex_ >= items_.size())
        listIndex_ = -1;
    notify();
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= items_.size())
        index = -1;
    assign(listIndex_, index);
}

void Window::requestClose() {
    closeRequested_ = true;
    notify();
}

} // namespace ui
