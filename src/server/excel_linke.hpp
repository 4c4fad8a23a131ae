#pragma once

#include "vocabulary/result.hpp"
#include "vocabulary/variant.hpp"
#include "window/window_platform.hpp"

#include <cstdint>

namespace sheetpush {

// The public automation class. It has no state of its own: every instance works on the link
// window of the thread that serves it.
class ExcelLinke {
public:
    explicit ExcelLinke(WindowPlatform& platform) : platform_(platform) {}

    // VT_BOOL holding the send's result; a failure is an automation error for the client.
    Result<Variant> Sheetpush(const Variant& txt, const Variant& Col, const Variant& Row,
                              const Variant& Sheet);
    // The cell's text, or an empty string when the request failed.
    Result<Variant> ImportFromExcel(const Variant& Col, const Variant& Row, const Variant& Sheet);
    // Starts Excel on a workbook with the caller's show-window mode.
    bool ExcelLinking(const Variant& XLS, std::int32_t ExcelShow);

private:
    WindowPlatform& platform_;
};

} // namespace sheetpush
