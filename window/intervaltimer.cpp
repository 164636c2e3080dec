#include "intervaltimer.h"

IntervalTimer::IntervalTimer(QObject* parent) : QObject(parent) {
    // Steps can be 20 ms apart: a coarse timer would make them uneven.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &IntervalTimer::timeout);
}

bool IntervalTimer::setInterval(std::uint32_t ms) {
    if (ms == interval_) {
        return true;
    }
    interval_ = ms;
    ++countdowns_;
    return restart(ms);
}

bool IntervalTimer::restart(std::uint32_t ms) {
    timer_.start(static_cast<int>(ms));
    return timer_.isActive();
}
