#pragma once

#include "platform/dde_conversation.hpp"
#include "vocabulary/result.hpp"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace sheetpush {

using ConversationFactory = std::function<std::unique_ptr<DdeConversation>()>;

// The conversations a link holds open, one per topic, so that a client that writes to several
// sheets in turn does not pay for a new conversation on every change of sheet. It is bounded:
// when one more is opened than it holds, the least recently used is ended. Destroying it ends
// them all.
class ConversationCache {
public:
    static constexpr std::size_t capacity = 8;

    explicit ConversationCache(ConversationFactory factory);

    // The conversation for application and topic, opened or kept open by its connect, and now
    // the most recently used. When it cannot be opened it is dropped and the others stay as
    // they were.
    Result<DdeConversation*> open(std::u16string_view application, std::u16string_view topic,
                                  std::chrono::milliseconds timeout);

private:
    ConversationFactory factory_;
    // The most recently used first.
    std::vector<std::unique_ptr<DdeConversation>> conversations_;
};

} // namespace sheetpush
