#pragma once

#include "controls/text_box.hpp"
#include "link/conversation_cache.hpp"
#include "vocabulary/catalogue.hpp"
#include "vocabulary/result.hpp"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace sheetpush {

enum class LinkMode : std::int16_t { none = 0, manual = 2 };

// How long a link step waits for its partner: the time-out the field is made with, and the one
// every cell operation sets again.
inline constexpr std::chrono::milliseconds transferTimeout{10000};

// A wait in the tenths of a second that LinkTimeout counts.
constexpr std::int16_t tenthsOf(std::chrono::milliseconds wait) {
    return static_cast<std::int16_t>(wait / std::chrono::milliseconds{100});
}

// The cell text field: a text box that carries a DDE client link.
class LinkedTextBox : public TextBox {
public:
    // The link opens its conversations through newConversation, one for each topic it is set to.
    explicit LinkedTextBox(ConversationFactory newConversation);

    // "application|topic".
    std::u16string LinkTopic = std::u16string(u"Excel|") + text::firstSheet;
    std::u16string LinkItem = u"R1C1";
    // Tenths of a second.
    std::int16_t LinkTimeout = tenthsOf(transferTimeout);

    LinkMode linkMode() const { return mode_; }
    // Manual opens the conversation on LinkTopic, or takes up the one still open on that topic;
    // none closes nothing the partner relies on.
    Status setLinkMode(LinkMode mode);

    // Sends text, what the field's text comes to in the cell, to LinkItem; the field's own text
    // is left as it was.
    Status LinkPoke(std::u16string_view text) { return LinkPokePart(text, text); }
    // Sends part, the first of the parts of whole that go to other items after it, to LinkItem,
    // in a text format that carries all of whole (DdeConversation::pokePart).
    Status LinkPokePart(std::u16string_view part, std::u16string_view whole);
    // Replaces the text with LinkItem's value exactly as sent; a failure leaves the text.
    Status LinkRequest();
    // LinkItem's value exactly as sent; the text is left as it is.
    Result<std::u16string> LinkRequestValue();

private:
    ConversationCache conversations_;
    LinkMode mode_ = LinkMode::none;
    // The conversation on LinkTopic that the last setting of the mode opened, if any.
    DdeConversation* connected_ = nullptr;
};

} // namespace sheetpush
