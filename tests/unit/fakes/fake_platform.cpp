#include "fakes/fake_platform.hpp"

#include <algorithm>

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

} // namespace

bool sameName(std::u16string_view a, std::u16string_view b) {
    return folded(a) == folded(b);
}

Status FakeConversation::connect(std::u16string_view application, std::u16string_view topic,
                                 std::chrono::milliseconds timeout) {
    excel_.steps.push_back({DdeStep::connect,
                            std::u16string(application),
                            std::u16string(topic),
                            {},
                            timeout.count()});
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
