#include "support/switches.hpp"

#include <windows.h>

#include <cwchar>

namespace e2e {

namespace {

bool sameName(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

} // namespace

bool isSwitch(std::wstring_view argument, std::wstring_view name) {
    return argument.starts_with(L'/') && sameName(argument.substr(1), name);
}

std::optional<std::wstring> switchValue(std::wstring_view argument, std::wstring_view name) {
    auto colon = argument.find(L':');
    if (colon == std::wstring_view::npos || !isSwitch(argument.substr(0, colon), name))
        return std::nullopt;
    return std::wstring(argument.substr(colon + 1));
}

unsigned long switchNumber(const std::wstring& value) {
    return std::wcstoul(value.c_str(), nullptr, 10);
}

} // namespace e2e
