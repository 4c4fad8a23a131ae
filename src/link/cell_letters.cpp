#include "link/cell_letters.hpp"
#include "vocabulary/error_numbers.hpp"

#include <chrono>
#include <memory>
#include <utility>
#include <vector>

namespace sheetpush {

namespace {

using Clock = std::chrono::steady_clock;

// English, then the pairs whose use is published: French (Ligne, Colonne), German (Zeile,
// Spalte) and Spanish (Fila, Columna).
constexpr CellLetters knownLetters[] = {{u'R', u'C'}, {u'L', u'C'}, {u'Z', u'S'}, {u'F', u'C'}};
constexpr CellLetters english = knownLetters[0];

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The digits of a number above zero at the start of text, without a leading zero, taken off it.
std::optional<std::u16string_view> takeNumber(std::u16string_view& text) {
    std::size_t digits = 0;
    while (digits < text.size() && isDigit(text[digits]))
        ++digits;
    if (digits == 0 || text[0] == u'0')
        return std::nullopt;
    auto number = text.substr(0, digits);
    text.remove_prefix(digits);
    return number;
}

bool takeLetter(std::u16string_view& text, char16_t letter) {
    if (text.empty() || text[0] != letter)
        return false;
    text.remove_prefix(1);
    return true;
}

// One cell at the start of text, written in letters onto out.
bool takeCell(std::u16string_view& text, CellLetters letters, std::u16string& out) {
    if (!takeLetter(text, english.row))
        return false;
    auto row = takeNumber(text);
    if (!row || !takeLetter(text, english.column))
        return false;
    auto column = takeNumber(text);
    if (!column)
        return false;
    out += letters.row;
    out += *row;
    out += letters.column;
    out += *column;
    return true;
}

char16_t upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool isLetter(char16_t c) {
    return upper(c) >= u'A' && upper(c) <= u'Z';
}

// Anything but two letters names no letters, and the conversation starts in English.
std::optional<CellLetters> namedLetters(SettingsStore& settings) {
    auto setting = settings.read(settingsApplication, settingsSection, u"CellLetters");
    if (!setting || setting->size() != 2 || !isLetter((*setting)[0]) || !isLetter((*setting)[1]))
        return std::nullopt;
    return CellLetters{upper((*setting)[0]), upper((*setting)[1])};
}

std::chrono::milliseconds left(Clock::time_point deadline) {
    return std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
}

class LetterFindingConversation final : public DdeConversation {
public:
    LetterFindingConversation(std::unique_ptr<DdeConversation> inner, CellLetters first)
        : inner_(std::move(inner)), letters_(first) {}

    Status connect(std::u16string_view application, std::u16string_view topic,
                   std::chrono::milliseconds timeout) override {
        return inner_->connect(application, topic, timeout);
    }

    bool isFor(std::u16string_view application, std::u16string_view topic) const override {
        return inner_->isFor(application, topic);
    }

    Status pokePart(std::u16string_view item, std::u16string_view part, std::u16string_view whole,
                    std::chrono::milliseconds timeout) override {
        auto cell = itemInLetters(item, letters_);
        if (!cell)
            return inner_->pokePart(item, part, whole, timeout);
        const auto deadline = Clock::now() + timeout;
        const CellLetters used = letters_;
        auto poked = inner_->pokePart(*cell, part, whole, timeout);
        settled_ = settled_ || poked.ok();
        if (poked.ok() || !mayBeTheLetters(poked.failure()))
            return poked;
        // The letters just used are asked first: when they answer, the cell itself was refused.
        if (!findLetters(item, deadline, std::nullopt) || letters_ == used)
            return poked;
        const auto wait = left(deadline);
        if (wait.count() <= 0)
            return poked;
        return inner_->pokePart(*itemInLetters(item, letters_), part, whole, wait);
    }

    Result<std::u16string> request(std::u16string_view item,
                                   std::chrono::milliseconds timeout) override {
        auto cell = itemInLetters(item, letters_);
        if (!cell)
            return inner_->request(item, timeout);
        const auto deadline = Clock::now() + timeout;
        auto reply = inner_->request(*cell, timeout);
        settled_ = settled_ || reply.ok();
        if (reply.ok() || !mayBeTheLetters(reply.failure()))
            return reply;
        auto found = findLetters(item, deadline, letters_);
        if (!found)
            return reply;
        return std::move(*found);
    }

private:
    // Busy, slow or gone is no answer about the letters.
    bool mayBeTheLetters(const Failure& failure) const {
        return !settled_ && failure.number == error::ddeRefused;
    }

    // Asks for the cell in the letters in use, then in each known pair, all but the pair already
    // tried, until one answers: its reply, with that pair now the conversation's. Nothing when
    // none answers, or the partner does anything but refuse, or the wait is over.
    std::optional<std::u16string> findLetters(std::u16string_view item, Clock::time_point deadline,
                                              std::optional<CellLetters> tried) {
        std::vector<CellLetters> pairs{letters_};
        for (CellLetters known : knownLetters)
            if (known != letters_)
                pairs.push_back(known);
        for (CellLetters pair : pairs) {
            if (pair == tried)
                continue;
            const auto wait = left(deadline);
            if (wait.count() <= 0)
                return std::nullopt;
            auto reply = inner_->request(*itemInLetters(item, pair), wait);
            if (reply.ok()) {
                letters_ = pair;
                settled_ = true;
                return std::move(reply).value();
            }
            if (reply.failure().number != error::ddeRefused)
                return std::nullopt;
        }
        return std::nullopt;
    }

    std::unique_ptr<DdeConversation> inner_;
    CellLetters letters_;
    // Whether a transfer has worked in letters_: then a refusal is only a refusal.
    bool settled_ = false;
};

} // namespace

std::optional<std::u16string> itemInLetters(std::u16string_view item, CellLetters letters) {
    std::u16string out;
    if (!takeCell(item, letters, out))
        return std::nullopt;
    if (!item.empty()) {
        out += u':';
        if (!takeLetter(item, u':') || !takeCell(item, letters, out) || !item.empty())
            return std::nullopt;
    }
    return out;
}

ConversationFactory withExcelsLetters(ConversationFactory newConversation,
                                      SettingsStore& settings) {
    return [newConversation = std::move(newConversation), &settings] {
        return std::make_unique<LetterFindingConversation>(
            newConversation(), namedLetters(settings).value_or(english));
    };
}

} // namespace sheetpush
