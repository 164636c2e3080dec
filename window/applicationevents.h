#pragma once

#include <QObject>

#include <functional>

// The application-wide hook: sees every event of every object before its receiver does, and
// hands it to one handler that says whether the event was handled.
class ApplicationEvents : public QObject {
public:
    using Handler = std::function<bool(QObject* receiver, QEvent* event)>;

    explicit ApplicationEvents(QObject* parent, Handler onMessage)
        : QObject(parent), onMessage_(std::move(onMessage)) {}

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        return onMessage_(receiver, event);
    }

private:
    Handler onMessage_;
};
