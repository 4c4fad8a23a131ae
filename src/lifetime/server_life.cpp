#include "lifetime/server_life.hpp"

#include <tuple>

namespace sheetpush {

bool ServerLife::start() {
    if (!process_.publish())
        return false;
    phase_ = Phase::lingering;
    process_.setAlarm(linger);
    return true;
}

void ServerLife::objectMade() {
    ++objects_;
    referenceCame();
}

void ServerLife::objectGone() {
    --objects_;
    referenceWent();
}

void ServerLife::lock() {
    ++locks_;
    referenceCame();
}

void ServerLife::unlock() {
    if (locks_ == 0)
        return;
    --locks_;
    referenceWent();
}

void ServerLife::referenceCame() {
    if (objects_ + locks_ != 1)
        return;
    if (phase_ == Phase::lingering) {
        process_.cancelAlarm();
        phase_ = Phase::serving;
    } else if (phase_ == Phase::pausing) {
        // An activation on its way came: the pause ends now, and the alarm publishes again.
        process_.setAlarm(std::chrono::milliseconds(0));
    }
}

void ServerLife::referenceWent() {
    if (held() || phase_ != Phase::serving)
        return;
    phase_ = Phase::lingering;
    process_.setAlarm(linger);
}

void ServerLife::alarm() {
    switch (phase_) {
    case Phase::serving:
        return;
    case Phase::lingering:
        process_.withdraw();
        phase_ = Phase::pausing;
        process_.setAlarm(pause);
        return;
    case Phase::pausing:
        if (!held()) {
            process_.end();
            return;
        }
        // Should the class objects not go up again, the clients that hold objects are still
        // served, and the server ends after they let go.
        phase_ = Phase::serving;
        std::ignore = process_.publish();
        return;
    }
}

} // namespace sheetpush
