#include "fakes/fake_platform.hpp"
#include "vocabulary/error_numbers.hpp"

#include <algorithm>
#include <cstddef>
#include <optional>
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

struct Block {
    std::size_t top = 0;
    std::size_t left = 0;
    std::size_t bottom = 0;
    std::size_t right = 0;
};

std::optional<std::size_t> takeNumber(std::u16string_view& text, char16_t letter) {
    if (text.empty() || text[0] != letter)
        return std::nullopt;
    std::size_t digits = 1;
    std::size_t number = 0;
    for (; digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9'; ++digits)
        number = number * 10 + (text[digits] - u'0');
    text.remove_prefix(digits);
    return digits > 1 ? std::optional(number) : std::nullopt;
}

std::optional<Block> blockOf(std::u16string_view item) {
    Block block;
    for (auto* corner : {&block.top, &block.left, &block.bottom, &block.right}) {
        if (corner == &block.bottom && !item.starts_with(u':'))
            return std::nullopt;
        if (corner == &block.bottom)
            item.remove_prefix(1);
        auto number =
            takeNumber(item, corner == &block.top || corner == &block.bottom ? u'R' : u'C');
        if (!number)
            return std::nullopt;
        *corner = *number;
    }
    if (!item.empty())
        return std::nullopt;
    return block;
}

std::u16string cellKey(std::u16string_view topic, std::size_t row, std::size_t column) {
    auto number = [](std::size_t value) {
        auto digits = std::to_string(value);
        return std::u16string(digits.begin(), digits.end());
    };
    return std::u16string(topic) + u"!R" + number(row) + u"C" + number(column);
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

void FakeConversation::store(std::u16string_view item, std::u16string_view text) {
    auto block = blockOf(item);
    if (!block) {
        excel_.cells[*topic_ + u"!" + std::u16string(item)] = text;
        return;
    }
    if (text.ends_with(u"\r\n"))
        text.remove_suffix(2);
    for (std::size_t row = block->top; row <= block->bottom; ++row) {
        auto end = std::min(text.find(u"\r\n"), text.size());
        auto line = text.substr(0, end);
        for (std::size_t column = block->left; column <= block->right; ++column) {
            auto tab = std::min(line.find(u'\t'), line.size());
            excel_.cells[cellKey(*topic_, row, column)] = line.substr(0, tab);
            line.remove_prefix(std::min(tab + 1, line.size()));
        }
        text.remove_prefix(std::min(end + 2, text.size()));
    }
}

std::u16string FakeConversation::value(std::u16string_view item) {
    const auto key = *topic_ + u"!" + std::u16string(item);
    auto block = blockOf(item);
    if (!block || excel_.cells.contains(key))
        return excel_.cells[key];
    std::u16string text;
    for (std::size_t row = block->top; row <= block->bottom; ++row) {
        for (std::size_t column = block->left; column <= block->right; ++column)
            text +=
                (column == block->left ? u"" : u"\t") + excel_.cells[cellKey(*topic_, row, column)];
        text += u"\r\n";
    }
    return text;
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
