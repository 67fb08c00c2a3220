#pragma once

#include "main_window.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <limits>
#include <string>

namespace window_tests {

// Controls are found by the names the window gives them: a control's own name, and for
// an element of a control array the array's name with the index in round brackets, as in
// "Option1(0)" or "Text4(8)".
template <class Control = QWidget>
Control* control(const QWidget* form, const QString& name)
{
    return form->findChild<Control*>(name);
}

// The folder that holds the built programs and the data files, with its separator.
std::string builtProgramFolder();

// Options for a window under test: the built programs' folder, and a clock rate so high
// that no pause after a launch lasts a single tick.
gui::MainWindowOptions testOptions();

// Catches the first showing of a window of type W anywhere in the application and runs
// callback on it once the event loop turns again, so a test can drive a modal box that a
// call under test opens and waits for.
class CatchShow : public QObject {
public:
    template <class W>
    void setCallback(std::function<void(W*)> callback)
    {
        matcher_ = [callback](QObject* object) -> std::function<void()> {
            if (auto* window = qobject_cast<W*>(object)) {
                QPointer<W> guard(window);
                return [guard, callback] {
                    if (guard)
                        callback(guard.data());
                };
            }
            return {};
        };
        qApp->installEventFilter(this);
    }
    int count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && matcher_) {
            if (auto action = matcher_(watched)) {
                ++count_;
                QTimer::singleShot(0, this, action);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<std::function<void()>(QObject*)> matcher_;
    int count_ = 0;
};

// The text colour and fill a control shows, whatever kind it is.
QColor textColourOf(const QWidget* widget);
QColor fillOf(const QWidget* widget);

} // namespace window_tests
