#pragma once

#include <QString>

#include <functional>
#include <string>
#include <string_view>

class QWidget;

// How failures reach the user: a message box captioned with the application title.
class ErrorDisplay {
public:
    using Shower = std::function<void(const QString& caption, const QString& text)>;

    // The message as the box shows it: a "." is added after a last character that sorts
    // above "." byte by byte, so not after ".", a blank, a control or one of "!" to "-".
    static std::string boxText(std::string_view message);
    // The application title from the executable's file name: the name up to its first ".",
    // every letter after the first in lower case ("QIRT.EXE" gives "Qirt").
    static QString applicationTitle(const QString& fileName);

    explicit ErrorDisplay(QString caption);

    // Shows the message in a modal box, or hands it to the shower that tests put in place.
    void show(std::string_view message) const;
    void setShower(Shower shower) { shower_ = std::move(shower); }

private:
    QString caption_;
    Shower shower_;
};

// Runs body, and hands any failure that leaves it to the error display. Every entry from Qt
// into the program's code goes through here: no exception may unwind through Qt's frames.
template <class Body> void guarded(const ErrorDisplay& display, Body&& body) noexcept {
    try {
        try {
            body();
        } catch (const std::exception& e) {
            display.show(e.what());
        } catch (...) {
            display.show({});
        }
    } catch (...) {
        // The display itself failed (out of memory): nothing is left to tell the user with.
    }
}
