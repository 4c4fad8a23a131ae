#pragma once

#include "win32_base/raii.hpp"

#include <windows.h>

#include <optional>
#include <string>

namespace robustness {

// A program of the build's bin folder, started by this client and ended by it: never waited for
// without a limit, killed when it is dropped while still running.
class Process {
public:
    Process() = default;
    // A quiet program gets no standard handles: under Wine it would otherwise hold this
    // client's output open after the client ended.
    enum class Output { shared, none };
    Process(const std::wstring& program, const std::wstring& arguments,
            Output output = Output::none);
    Process(Process&&) = default;
    Process& operator=(Process&&) = default;
    ~Process();

    bool started() const { return static_cast<bool>(process_); }
    DWORD id() const { return id_; }
    // The exit code, or nothing when it did not end within the limit.
    std::optional<DWORD> wait(DWORD limitMs);
    // Ends it at once, in whatever it was doing.
    void kill();

private:
    sheetpush::win32::UniqueHandle process_;
    DWORD id_ = 0;
};

// The folder this program runs from, which holds the other programs of the build.
std::wstring binFolder();

// The Excel stand-in, serving "ورقة1" and "Sheet1" unless switches say otherwise; it has
// started when its DDE window exists.
Process startStandin(const std::wstring& switches, const std::wstring& log);

// Closes the next box of the given title with MessageBoxCloser, by its OK button or, for a
// dialog, its Cancel button, and gives its text.
class BoxCloser {
public:
    enum class Button { ok, cancel };
    BoxCloser(const std::wstring& work, const std::wstring& title, Button button = Button::ok,
              DWORD limitMs = 30000);
    // The box's text, or nothing when no box came up in time.
    std::optional<std::wstring> text();

private:
    std::wstring prefix_;
    Process closer_;
    DWORD limitMs_;
};

extern const wchar_t linkFailureTitle[];
extern const wchar_t linkFailureText[];
extern const wchar_t excelDialogTitle[];
extern const wchar_t launchFailureTitle[];

} // namespace robustness
