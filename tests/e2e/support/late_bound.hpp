#pragma once

#include <oaidl.h>

#include <string>

namespace e2e {

// The fixed DISPIDs of the three methods, which a client may call without asking for them.
inline constexpr DISPID sheetpushId = 0x60030000;
inline constexpr DISPID importId = 0x60030001;
inline constexpr DISPID linkingId = 0x60030002;

// One call of Sheetpush through IDispatch, the way scripts call it, with the text and the
// sheet by value; true when it returned True.
bool callSheetpush(IDispatch& link, DISPID id, const std::wstring& text, LONG column, LONG row,
                   const std::wstring& sheet);

} // namespace e2e
