#include "support/client_thread.hpp"

#include <tuple>
#include <utility>

namespace e2e {

ClientThread::ClientThread(std::function<bool()> work) : work_(std::move(work)) {
    thread_.reset(CreateThread(nullptr, 0, run, this, 0, nullptr));
}

ClientThread::~ClientThread() {
    std::ignore = finished(60000);
}

bool ClientThread::finished(DWORD limitMs) const {
    return thread_ && WaitForSingleObject(thread_.get(), limitMs) == WAIT_OBJECT_0;
}

DWORD WINAPI ClientThread::run(void* self) {
    auto* client = static_cast<ClientThread*>(self);
    sheetpush::win32::ComApartment apartment;
    client->succeeded_ = client->work_();
    return 0;
}

} // namespace e2e
