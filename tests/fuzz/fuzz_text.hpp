#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sheetpush::fuzz {

// Pairs of input bytes become UTF-16 units, so every unit, lone surrogates included, is reached.
inline std::u16string utf16Units(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    return text;
}

// A fuzzer's check: a broken one stops the run with the input that broke it.
inline void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace sheetpush::fuzz
