#include "win32/system_failure.hpp"

#include "win32_base/wide_text.hpp"

#include <cwchar>
#include <iterator>

namespace sheetpush::win32 {

void traceWin32Failure(const Trace& trace, std::u16string_view place, DWORD code) {
    trace([&] {
        wchar_t number[32];
        std::swprintf(number, std::size(number), L"%lu (0x%08lX)", code, code);
        return u"Win32 failure in " + std::u16string(place) + u": error " + utf16(number);
    });
}

} // namespace sheetpush::win32
