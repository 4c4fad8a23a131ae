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

// A wait in the tenths of a second that linkTimeout counts.
constexpr std::int16_t tenthsOf(std::chrono::milliseconds wait) {
    return static_cast<std::int16_t>(wait / std::chrono::milliseconds{100});
}

// The cell text field: a text box that carries a DDE client link.
class LinkedTextBox : public TextBox {
public:
    // The link opens its conversations through newConversation, one for each topic it is set to.
    explicit LinkedTextBox(ConversationFactory newConversation);

    // "application|topic".
    std::u16string linkTopic = std::u16string(u"Excel|") + text::firstSheet;
    std::u16string linkItem = u"R1C1";
    // Tenths of a second.
    std::int16_t linkTimeout = tenthsOf(transferTimeout);

    LinkMode linkMode() const { return mode_; }
    // Manual opens the conversation on linkTopic, or takes up the one still open on that topic;
    // none closes nothing the partner relies on.
    Status setLinkMode(LinkMode mode);

    // Sends text, what the field's text comes to in the cell, to linkItem; the field's own text
    // is left as it was.
    Status poke(std::u16string_view text) { return pokePart(text, text); }
    // Sends part, the first of the parts of whole that go to other items after it, to linkItem,
    // in a text format that carries all of whole (DdeConversation::pokePart).
    Status pokePart(std::u16string_view part, std::u16string_view whole);
    // Replaces the text with linkItem's value exactly as sent; a failure leaves the text.
    Status request();
    // linkItem's value exactly as sent; the text is left as it is.
    Result<std::u16string> requestValue();

private:
    ConversationCache conversations_;
    LinkMode mode_ = LinkMode::none;
    // The conversation on linkTopic that the last setting of the mode opened, if any.
    DdeConversation* connected_ = nullptr;
};

} // namespace sheetpush
