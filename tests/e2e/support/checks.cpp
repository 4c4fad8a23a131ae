#include "support/checks.hpp"

#include "support/text.hpp"

#include <cstdio>

namespace e2e {

// Line ends and tabs are written out, so that a report shows where they are; a long text is cut
// short, since a report of a megabyte says nothing more than its start.
std::string shown(std::string_view text) {
    constexpr std::size_t longest = 200;
    std::string out = "\"";
    for (char c : text.substr(0, longest))
        out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string(1, c);
    out += "\"";
    if (text.size() > longest)
        out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

std::string shown(std::wstring_view text) {
    return shown(utf8(text));
}

std::string shown(std::u16string_view text) {
    return shown(utf8(text));
}

std::string hex(long code) {
    char text[16] = {};
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

void Checks::expect(bool condition, std::string_view what) {
    std::printf("%s %.*s\n", condition ? "ok  " : "FAIL", static_cast<int>(what.size()),
                what.data());
    std::fflush(stdout);
    (condition ? passes_ : failures_) += 1;
}

void Checks::report(const std::string& expected, const std::string& actual) {
    std::printf("     expected: %s\n     actual:   %s\n", expected.c_str(), actual.c_str());
    std::fflush(stdout);
}

int Checks::exitCode() const {
    std::printf("%d passed, %d failed\n", passes_, failures_);
    std::fflush(stdout);
    return failures_ == 0 && passes_ > 0 ? 0 : 1;
}

} // namespace e2e
