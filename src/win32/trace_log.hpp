#pragma once

#include "platform/trace.hpp"
#include "win32_base/raii.hpp"

#include <windows.h>

#include <cstdint>
#include <string>

namespace sheetpush::win32 {

// The trace's lines, each stamped with the local time, the process and the thread, to the
// debugger's output and to the user's %LOCALAPPDATA%\Sheetpush\trace.log, its folder made when
// missing. The log is UTF-8 after a byte-order mark: the frame of a line is ASCII, so it takes
// half the room of UTF-16, and with the mark every Windows editor reads the Arabic of messages
// and cells right. A line that would take the log beyond its limit starts it over: the log is
// emptied and the line is the first one after the mark.
//
// Every server process of the user writes to the same log, a whole line at a time: a mutex of
// the session lets one process at a time measure, empty and append. The log is opened for each
// line, so that a user may delete or empty it while servers run.
class TraceLog : public TraceSink {
public:
    static constexpr std::uint64_t limit = 1024 * 1024;

    TraceLog();
    void write(std::u16string_view event) override;

private:
    UniqueHandle openLog() const;

    std::wstring folder_;
    UniqueHandle turn_;
};

} // namespace sheetpush::win32
