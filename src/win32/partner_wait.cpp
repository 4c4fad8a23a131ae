#include "win32/partner_wait.hpp"

namespace sheetpush::win32 {

namespace {

// The waits and the windows that must hold still meet only on the thread.
thread_local int waits = 0;

} // namespace

PartnerWait::PartnerWait() {
    ++waits;
}

PartnerWait::~PartnerWait() {
    --waits;
}

bool leftAloneDuringWait(UINT message) {
    if (waits == 0 || message == WM_GETTEXT || message == WM_GETTEXTLENGTH)
        return false;
    return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) != 0;
}

} // namespace sheetpush::win32
