#include "fakes/fake_platform.hpp"

#include <algorithm>
#include <ostream>
#include <string>

namespace sheetpush::fakes {

namespace {

std::u16string folded(std::u16string_view text) {
    std::u16string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    });
    return out;
}

// Enough of the platform's wildcards for the tests: "*", "*.ext" and exact names.
bool matches(std::u16string_view name, std::u16string_view pattern) {
    auto n = folded(name);
    auto p = folded(pattern);
    if (p == u"*" || p == u"*.*")
        return true;
    if (p.starts_with(u"*"))
        return n.ends_with(p.substr(1));
    return n == p;
}

// Lone surrogates, which no test means to print, come out as U+FFFD.
std::string utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        constexpr unsigned char leads[] = {0, 0xC0, 0xE0, 0xF0};
        const int continuations = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        out += static_cast<char>(leads[continuations] | (c >> (6 * continuations)));
        for (int shift = 6 * (continuations - 1); shift >= 0; shift -= 6)
            out += static_cast<char>(0x80 | ((c >> shift) & 0x3F));
    }
    return out;
}

const char* kindName(DdeStep::Kind kind) {
    switch (kind) {
    case DdeStep::connect:
        return "connect";
    case DdeStep::poke:
        return "poke";
    case DdeStep::request:
        return "request";
    }
    return "?";
}

} // namespace

void PrintTo(const DdeStep& step, std::ostream* out) {
    *out << kindName(step.kind) << ' ';
    if (step.kind == DdeStep::connect)
        *out << utf8(step.application) << '|';
    *out << utf8(step.topicOrItem);
    if (step.kind == DdeStep::poke)
        *out << " \"" << utf8(step.text) << '"';
    *out << " within " << step.timeout.count() << " ms";
}

bool sameName(std::u16string_view a, std::u16string_view b) {
    return folded(a) == folded(b);
}

Status FakeConversation::connect(std::u16string_view application, std::u16string_view topic,
                                 std::chrono::milliseconds timeout) {
    excel_.steps.push_back(
        {DdeStep::connect, std::u16string(application), std::u16string(topic), {}, timeout});
    if (isOpen() && isFor(application, topic))
        return {};
    end();
    if (!excel_.answers)
        return error::ddeTimeout(u"timeout");
    auto known = std::find_if(excel_.topics.begin(), excel_.topics.end(),
                              [&](const auto& sheet) { return sameName(sheet, topic); });
    if (application != u"Excel" || known == excel_.topics.end())
        return error::ddeNoPartner(u"no partner: " + std::u16string(topic));
    topic_ = *known;
    number_ = ++excel_.opened;
    excel_.open[*number_] = *topic_;
    excel_.conversations.push_back(u"+" + *topic_);
    return {};
}

void FakeConversation::end() {
    if (isOpen()) {
        excel_.open.erase(*number_);
        excel_.conversations.push_back(u"-" + *topic_);
    }
    topic_.reset();
    number_.reset();
}

Result<int> FakeFileList::countMatching(std::u16string_view folder, std::u16string_view pattern) {
    auto key = folded(folder);
    if (std::find(unreadable.begin(), unreadable.end(), folder) != unreadable.end())
        return error::fileListPath(u"unreadable folder");
    for (const auto& [name, files] : folders) {
        if (folded(name) != key)
            continue;
        return static_cast<int>(std::count_if(
            files.begin(), files.end(), [&](const auto& file) { return matches(file, pattern); }));
    }
    return error::fileListPath(u"no such folder");
}

} // namespace sheetpush::fakes
