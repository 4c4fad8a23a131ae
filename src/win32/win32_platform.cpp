#include "win32/win32_platform.hpp"

#include "win32/link_window.hpp"
#include "win32/raw_dde_conversation.hpp"

namespace sheetpush::win32 {

namespace {

// The log, when the user switched the trace on.
std::unique_ptr<TraceLog> switchedOnLog() {
    Win32SettingsStore settings;
    return switchedOn(settings, u"Trace") ? std::make_unique<TraceLog>() : nullptr;
}

} // namespace

Win32Platform::Win32Platform() : log_(switchedOnLog()), trace_(log_ ? Trace(*log_) : Trace()) {}

std::unique_ptr<DdeConversation> Win32Platform::newConversation() {
    return std::make_unique<RawDdeConversation>(trace_);
}

std::unique_ptr<WindowView> Win32Platform::newView(sheetpush::LinkWindow& window) {
    return std::make_unique<LinkWindow>(window);
}

} // namespace sheetpush::win32
