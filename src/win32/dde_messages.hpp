#pragma once

#include "win32_base/raii.hpp"

#include <windows.h>

#include <dde.h>

#include <optional>
#include <string>

namespace sheetpush::win32 {

// The fAck and fBusy bits of a DDEACK status word.
inline constexpr WORD ackAccepted = 0x8000;
inline constexpr WORD ackBusy = 0x4000;

// Takes an acknowledgement apart: its status word, with the atom and the parameter freed, as
// the receiver of WM_DDE_ACK must.
WORD takeAck(const MSG& ack);

// A WM_DDE_DATA taken off the queue. Its receiver holds the data block and the item atom until
// the message is settled: answered when its sender asked for an answer, and whatever has become
// the receiver's freed. What the protocol says of who frees what lives here alone.
class DdeDataMessage {
public:
    explicit DdeDataMessage(const MSG& message);
    DdeDataMessage(const DdeDataMessage&) = delete;
    DdeDataMessage& operator=(const DdeDataMessage&) = delete;
    // A message nobody settled is refused.
    ~DdeDataMessage();

    // The value as text, when it is in a text format; never read past the block's real end, and
    // ended at the first NUL.
    std::optional<std::u16string> text() const;

    // Answers the sender when it asked for an answer, and frees what is then the receiver's: the
    // atom unless the answer took it along, the block when its sender released it and it was not
    // refused back to the sender, who frees a refused block itself.
    void settle(bool accepted);

private:
    HWND receiver_;
    HWND sender_;
    DDEDATA header_{};
    UniqueGlobal block_;
    UniqueAtom item_;
    bool settled_ = false;
};

} // namespace sheetpush::win32
