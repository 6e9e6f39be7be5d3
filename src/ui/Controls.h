#pragma once

#include "ui/Colours.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>

namespace ui {

// State of one window control. Forms own these and set them; a view binds each
// one to its widget and repaints on every change. Nothing here knows of widgets.
class Control {
public:
    using Observer = std::function<void()>;

    Control() = default;
    explicit Control(QString caption) : caption_(std::move(caption)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption) { assign(caption_, caption); }
    Colour backColor() const { return backColor_; }
    void setBackColor(Colour colour) { assign(backColor_, colour); }
    Colour foreColor() const { return foreColor_; }
    void setForeColor(Colour colour) { assign(foreColor_, colour); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { assign(enabled_, enabled); }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { assign(visible_, visible); }
    const QString& toolTip() const { return toolTip_; }
    void setToolTip(const QString& text) { assign(toolTip_, text); }

    // Returns a token for unsubscribe(); observers run after every change.
    int subscribe(Observer observer);
    void unsubscribe(int token);

protected:
    template <typename T> void assign(T& member, const T& value) {
        if (member == value)
            return;
        member = value;
        notify();
    }
    void notify();

private:
    QString caption_;
    QString toolTip_;
    Colour backColor_ = colour::SystemFace;
    Colour foreColor_ = colour::SystemText;
    bool enabled_ = true;
    bool visible_ = true;
    int nextToken_ = 0;
    std::map<int, Observer> observers_;
};

class Label : public Control {
public:
    using Control::Control;
};

class Button : public Control {
public:
    using Control::Control;
};

class Frame : public Control {
public:
    using Control::Control;
};

class TextBox : public Control {
public:
    TextBox() = default;
    explicit TextBox(QString text) : text_(std::move(text)) {}
    const QString& text() const { return text_; }
    void setText(const QString& text) { assign(text_, text); }
    bool locked() const { return locked_; }
    void setLocked(bool locked) { assign(locked_, locked); }
    // Password boxes show one '*' per typed character.
    bool passwordMask() const { return passwordMask_; }
    void setPasswordMask(bool mask) { assign(passwordMask_, mask); }

private:
    QString text_;
    bool locked_ = false;
    bool passwordMask_ = false;
};

// A list or combo box. listIndex is -1 when nothing is selected.
class ListBox : public Control {
public:
    using Control::Control;
    const QStringList& items() const { return items_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    QString item(int index) const { return index >= 0 && index < items_.size() ? items_[index] : QString(); }
    void addItem(const QString& text);
    void removeItem(int index);
    void clear();
    void setItems(const QStringList& items);
    int listIndex() const { return listIndex_; }
    void setListIndex(int index);
    // The selected entry's text, empty when nothing is selected.
    QString text() const { return item(listIndex_); }

private:
    QStringList items_;
    int listIndex_ = -1;
};

enum class CheckState { Unchecked = 0, Checked = 1, Grayed = 2 };

class CheckBox : public Control {
public:
    using Control::Control;
    CheckState value() const { return value_; }
    void setValue(CheckState value) { assign(value_, value); }
    bool isChecked() const { return value_ == CheckState::Checked; }

private:
    CheckState value_ = CheckState::Unchecked;
};

class OptionButton : public Control {
public:
    using Control::Control;
    bool value() const { return value_; }
    void setValue(bool value) { assign(value_, value); }

private:
    bool value_ = false;
};

// A value between a minimum and a maximum: progress and scroll bars.
class RangeControl : public Control {
public:
    int min() const { return min_; }
    int max() const { return max_; }
    int value() const { return value_; }
    void setMin(int min) { assign(min_, min); }
    void setMax(int max) { assign(max_, max); }
    void setValue(int value) { assign(value_, value); }

protected:
    explicit RangeControl(int max) : max_(max) {}

private:
    int min_ = 0;
    int max_;
    int value_ = 0;
};

class ProgressBar : public RangeControl {
public:
    ProgressBar() : RangeControl(100) {}
};

// A picture box or image: the picture is a file name under data/ or a resource path.
class Picture : public Control {
public:
    using Control::Control;
    const QString& picture() const { return picture_; }
    void setPicture(const QString& picture) { assign(picture_, picture); }

private:
    QString picture_;
};

class MenuItem : public Control {
public:
    using Control::Control;
    bool checked() const { return checked_; }
    void setChecked(bool checked) { assign(checked_, checked); }

private:
    bool checked_ = false;
};

// A horizontal or vertical scroll bar used as a number picker.
class ScrollBar : public RangeControl {
public:
    ScrollBar() : RangeControl(32767) {}
};

enum class WindowState { Normal, Minimized, Maximized };

// The window itself: caption, minimised or not, and the wish to close.
class Window : public Control {
public:
    using Control::Control;
    WindowState windowState() const { return state_; }
    void setWindowState(WindowState state) { assign(state_, state); }
    // The form asks to be closed ("Unload Me"); the view closes its widget.
    void requestClose();
    bool closeRequested() const { return closeRequested_; }
    // A view that shows the window again clears the request.
    void reopen() { closeRequested_ = false; }

private:
    WindowState state_ = WindowState::Normal;
    bool closeRequested_ = false;
};

} // namespace ui
