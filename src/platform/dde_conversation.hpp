#pragma once

#include "vocabulary/result.hpp"

#include <chrono>
#include <string>
#include <string_view>

namespace sheetpush {

// One DDE client conversation, owned by the linked text field that drives it, one for each topic
// it links to. Every wait is bounded by the time-out given; a hung or absent partner never blocks
// longer.
class DdeConversation {
public:
    // Ends the conversation, if one is open, in the way its partner expects.
    virtual ~DdeConversation() = default;

    // Opens a manual conversation with application and topic. An implementation may keep an
    // open conversation on the same topic, as isFor compares it, while its partner is alive; on
    // failure no conversation is left open.
    virtual Status connect(std::u16string_view application, std::u16string_view topic,
                           std::chrono::milliseconds timeout) = 0;

    // Whether this conversation was opened for application and topic, the names compared as the
    // partner compares them, without regard to letter case. A conversation that its partner has
    // ended is still for its topic: connect opens it again.
    virtual bool isFor(std::u16string_view application, std::u16string_view topic) const = 0;

    // Sends text to item on the open conversation; a refusal is a failure.
    Status poke(std::u16string_view item, std::u16string_view text,
                std::chrono::milliseconds timeout) {
        return pokePart(item, text, text, timeout);
    }

    // Sends part, the first of the parts of whole that go to items one after another on this
    // conversation, to item. The text format is chosen for all of whole: when the format the
    // conversation sends text in cannot carry whole exactly, nothing is sent, and a conversation
    // that has yet to choose one chooses only a format that carries whole. So no later part is
    // refused for its format once an earlier one has gone.
    virtual Status pokePart(std::u16string_view item, std::u16string_view part,
                            std::u16string_view whole, std::chrono::milliseconds timeout) = 0;

    // Asks for item's value; the reply is returned exactly as the partner sent it.
    virtual Result<std::u16string> request(std::u16string_view item,
                                           std::chrono::milliseconds timeout) = 0;
};

} // namespace sheetpush
