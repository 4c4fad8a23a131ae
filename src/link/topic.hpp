#pragma once

#include <string>
#include <string_view>

namespace sheetpush {

// The link's "application|topic" for a sheet of Excel; the sheet name is used as typed.
std::u16string buildTopic(std::u16string_view sheetName);

} // namespace sheetpush
