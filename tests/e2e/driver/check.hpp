#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace e2e {

std::string utf8(std::u16string_view text);

// A tiny check collector: every check prints one line, failures are counted for the exit code.
class Checks {
public:
    void expect(bool condition, std::string_view what) {
        std::printf("%s %.*s\n", condition ? "ok  " : "FAIL", static_cast<int>(what.size()),
                    what.data());
        std::fflush(stdout);
        (condition ? passes_ : failures_) += 1;
    }

    void equal(std::u16string_view actual, std::u16string_view expected, std::string_view what) {
        expect(actual == expected, what);
        if (actual != expected)
            std::printf("     expected: %s\n     actual:   %s\n", utf8(expected).c_str(),
                        utf8(actual).c_str());
    }

    // Prints the tally; a run that checked nothing has failed too, since it proves nothing.
    int exitCode() const {
        std::printf("%d passed, %d failed\n", passes_, failures_);
        std::fflush(stdout);
        return failures_ == 0 && passes_ > 0 ? 0 : 1;
    }

private:
    int passes_ = 0;
    int failures_ = 0;
};

} // namespace e2e
