#pragma once

#include <chrono>

namespace sheetpush {

// What a local server's life drives in its process: the publication of its class objects, one
// alarm and the end of serving. The COM server gives the real ones.
class ServingProcess {
public:
    virtual ~ServingProcess() = default;
    // Lets new clients find the class objects; false when they could not be published.
    virtual bool publish() = 0;
    // Hides them from new clients; a client that already holds a class object can still use it.
    virtual void withdraw() = 0;
    // Calls ServerLife::alarm once after the time given, in place of any alarm already set.
    virtual void setAlarm(std::chrono::milliseconds after) = 0;
    virtual void cancelAlarm() = 0;
    // Ends serving once the work at hand is done.
    virtual void end() = 0;
};

// When a local server ends. Not as soon as its last object goes: a client that comes a moment
// later would pay a cold start, and of two clients that come and go at the same time one would
// find a server on its way out. After the last reference the class objects stay published for
// a linger, in which a new client gets the warm server at once. Then they are withdrawn, and
// for a pause the server still serves an activation that had found them; it ends only if none
// came. A server that never got a reference ends the same way, the linger counted from its
// start, so that an abandoned activation, a class object taken and let go, or a start-up that
// outlived its client leave no process behind.
class ServerLife {
public:
    // Several times the cold start it saves, and long enough for the next client of a batch job
    // or a script's loop; short enough that an idle server soon frees its file for an upgrade,
    // and that a test which waits for the server's end stays quick.
    static constexpr std::chrono::milliseconds linger{3000};
    // An activation that found the class objects just before they went reaches the server
    // within milliseconds; the rest is room for a loaded machine.
    static constexpr std::chrono::milliseconds pause{500};

    explicit ServerLife(ServingProcess& process) : process_(process) {}
    ServerLife(const ServerLife&) = delete;
    ServerLife& operator=(const ServerLife&) = delete;

    // Publishes the class objects, and the linger starts; false when they could not be.
    bool start();

    // Each object a client holds keeps the server, and so does each lock a client takes.
    void objectMade();
    void objectGone();
    void lock();
    // A lock is not tied to the client that took it, so an unlock without a lock left is
    // ignored: the count never goes below zero, and objects are counted apart, so no unlock can
    // end the server under a client's object.
    void unlock();

    void alarm();

private:
    enum class Phase { serving, lingering, pausing };

    bool held() const { return objects_ + locks_ > 0; }
    void referenceCame();
    void referenceWent();

    ServingProcess& process_;
    long objects_ = 0;
    long locks_ = 0;
    Phase phase_ = Phase::serving;
};

} // namespace sheetpush
