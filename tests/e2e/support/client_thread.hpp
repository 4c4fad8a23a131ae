#pragma once

#include "win32_base/raii.hpp"

#include <windows.h>

#include <functional>

namespace e2e {

// Work of a second client inside this process: it runs at once on a thread of its own, in a
// single-threaded apartment of its own, so that it makes its own objects and its calls wait
// beside the first client's.
class ClientThread {
public:
    explicit ClientThread(std::function<bool()> work);
    ClientThread(const ClientThread&) = delete;
    ClientThread& operator=(const ClientThread&) = delete;
    // Waits a minute at most for the work to end.
    ~ClientThread();

    bool finished(DWORD limitMs) const;
    // What the work answered, once it has finished.
    bool succeeded() const { return succeeded_; }

private:
    static DWORD WINAPI run(void* self);

    std::function<bool()> work_;
    bool succeeded_ = false;
    sheetpush::win32::UniqueHandle thread_;
};

} // namespace e2e
