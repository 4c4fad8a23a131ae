#pragma once

#include "vocabulary/result.hpp"

#include <cstdint>
#include <string_view>

namespace sheetpush {

// Starts a command line without waiting for the program. The result has the meaning of the
// platform launcher's: above 31 when started, 2 when the program file was not found, other
// values below 32 for other failures. A failure means the launcher could not be called.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual Result<std::uint32_t> run(std::u16string_view commandLine,
                                      std::uint32_t showWindowMode) = 0;
};

} // namespace sheetpush
