#pragma once

#include <windows.h>

namespace sheetpush::win32 {

// Marks the calling thread, for the object's lifetime, as waiting inside a call for its DDE
// partner. The system hands such a wait every message that another thread sends to the thread's
// windows, since any look at the queue takes sent messages in; the thread's other windows learn
// here not to act on them. Waits nest.
class PartnerWait {
public:
    PartnerWait();
    PartnerWait(const PartnerWait&) = delete;
    PartnerWait& operator=(const PartnerWait&) = delete;
    ~PartnerWait();
};

// Whether a window of the thread leaves the message at hand alone: true while the thread waits
// for its partner and the message was sent by another thread, unless it only reads the window's
// text. Such a message is dropped, not held back until the wait ends: its sender waits for the
// answer, and what its parameters point to lasts only as long as the send. Posted messages and
// a person's input need no such care: the waits take only their own DDE messages off the queue,
// so the rest is handled once the wait is over.
bool leftAloneDuringWait(UINT message);

} // namespace sheetpush::win32
