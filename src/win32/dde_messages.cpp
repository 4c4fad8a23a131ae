#include "win32/dde_messages.hpp"

#include "win32_base/wide_text.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace sheetpush::win32 {

namespace {

constexpr std::size_t dataHeaderSize = offsetof(DDEDATA, Value);

std::optional<std::u16string> decodeText(UINT format, const unsigned char* value,
                                         std::size_t size) {
    if (format == CF_UNICODETEXT) {
        std::u16string text(size / sizeof(char16_t), u'\0');
        std::memcpy(text.data(), value, text.size() * sizeof(char16_t));
        text.resize(std::min(text.find(u'\0'), text.size()));
        return text;
    }
    if (format != CF_TEXT)
        return std::nullopt;
    auto* chars = reinterpret_cast<const char*>(value);
    int length = static_cast<int>(std::find(chars, chars + size, '\0') - chars);
    std::wstring units(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, chars, length, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, chars, length, units.data(), static_cast<int>(units.size()));
    return utf16(units);
}

} // namespace

WORD takeAck(const MSG& ack) {
    UINT_PTR status = 0;
    UINT_PTR atom = 0;
    UnpackDDElParam(WM_DDE_ACK, ack.lParam, &status, &atom);
    FreeDDElParam(WM_DDE_ACK, ack.lParam);
    GlobalDeleteAtom(static_cast<ATOM>(atom));
    return static_cast<WORD>(status);
}

DdeDataMessage::DdeDataMessage(const MSG& message)
    : receiver_(message.hwnd), sender_(reinterpret_cast<HWND>(message.wParam)) {
    UINT_PTR block = 0;
    UINT_PTR atom = 0;
    UnpackDDElParam(WM_DDE_DATA, message.lParam, &block, &atom);
    FreeDDElParam(WM_DDE_DATA, message.lParam);
    block_.reset(reinterpret_cast<HGLOBAL>(block));
    item_.reset(static_cast<ATOM>(atom));
    GlobalLockGuard lock(block_.get());
    if (lock.size() >= dataHeaderSize)
        std::memcpy(&header_, lock.data(), dataHeaderSize);
}

DdeDataMessage::~DdeDataMessage() {
    if (!settled_)
        settle(false);
}

std::optional<std::u16string> DdeDataMessage::text() const {
    GlobalLockGuard lock(block_.get());
    if (lock.size() < dataHeaderSize)
        return std::nullopt;
    return decodeText(static_cast<UINT>(header_.cfFormat),
                      static_cast<const unsigned char*>(lock.data()) + dataHeaderSize,
                      lock.size() - dataHeaderSize);
}

void DdeDataMessage::settle(bool accepted) {
    settled_ = true;
    bool answered = false;
    if (header_.fAckReq) {
        LPARAM ack = PackDDElParam(WM_DDE_ACK, accepted ? ackAccepted : 0, item_.get());
        answered =
            PostMessageW(sender_, WM_DDE_ACK, reinterpret_cast<WPARAM>(receiver_), ack) != FALSE;
        if (answered)
            item_.detach();
        else
            FreeDDElParam(WM_DDE_ACK, ack);
    }
    if (!header_.fRelease || (answered && !accepted))
        block_.detach();
}

} // namespace sheetpush::win32
