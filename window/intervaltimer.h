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
    // How many countdowns have been started: a restart counts one more.
    int countdowns() const { return countdowns_; }

signals:
    void timeout();

protected:
    // Starts the countdown afresh; true when it runs, otherwise the timer is left stopped.
    // Tests put a timer that the system refuses in its place.
    virtual bool restart(std::uint32_t ms);
    void stop() { timer_.stop(); }

private:
    QTimer timer_;
    std::uint32_t interval_ = 0;
    int countdowns_ = 0;
};
