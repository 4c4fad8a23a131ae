#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace e2e {

// The helper programs take switches as "/name" and "/name:value", the name in any letter case.
bool isSwitch(std::wstring_view argument, std::wstring_view name);
// The value of a "/name:value" argument; nothing for any other argument.
std::optional<std::wstring> switchValue(std::wstring_view argument, std::wstring_view name);
// A switch's value as a whole number; 0 when it is none.
unsigned long switchNumber(const std::wstring& value);

} // namespace e2e
