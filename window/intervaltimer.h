#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>

// The auto-advance timer. Setting the interval it already has does nothing at all, so the
// countdown under way runs on; a new interval restarts the countdown.
class IntervalTimer : public QObject {
    Q_OBJECT

public:
    explicit IntervalTimer(QObject* parent = nullptr);

    // Takes ms as the interval and, if it differs from the current one, restarts the
    // countdown. False when the timer could not be started: it then stays stopped, with the
    // new interval kept, until a later call with another value succeeds.
    bool setInterval(std::uint32_t ms);
    std::uint32_t interval() const { return interval_; }
    bool isActive() const { return timer_.isActive(); }
    // Which countdown is running; a restart gives a new one.
    int countdownId() const { return timer_.timerId(); }

signals:
    void timeout();

protected:
    // Starts the countdown afresh; true when it runs. Tests put a failing timer in its place.
    virtual bool restart(std::uint32_t ms);

private:
    QTimer timer_;
    std::uint32_t interval_ = 0;
};
