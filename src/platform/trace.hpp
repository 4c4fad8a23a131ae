#pragma once

#include <string>
#include <string_view>

namespace sheetpush {

// Where the trace's events go, one line each; the sink adds the time, the process and the thread.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void write(std::u16string_view event) = 0;
};

// What the server did, step by step, for support to read when a call fails at a user's site. It
// is off unless the user switched it on, and then an event's text is never made: a call pays
// one test of a pointer for each event it passes.
class Trace {
public:
    Trace() = default;
    explicit Trace(TraceSink& sink) : sink_(&sink) {}

    bool on() const { return sink_ != nullptr; }

    // Writes the text that describe makes, when the trace is on.
    template <class Describe> void operator()(Describe describe) const {
        if (sink_)
            sink_->write(describe());
    }

private:
    TraceSink* sink_ = nullptr;
};

} // namespace sheetpush
