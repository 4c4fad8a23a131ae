#include "link/conversation_cache.hpp"

#include <algorithm>
#include <iterator>
#include <utility>

namespace sheetpush {

ConversationCache::ConversationCache(ConversationFactory factory) : factory_(std::move(factory)) {}

Result<DdeConversation*> ConversationCache::open(std::u16string_view application,
                                                 std::u16string_view topic,
                                                 std::chrono::milliseconds timeout) {
    auto found = std::find_if(conversations_.begin(), conversations_.end(),
                              [&](const auto& held) { return held->isFor(application, topic); });
    if (found == conversations_.end())
        conversations_.insert(conversations_.begin(), factory_());
    else
        std::rotate(conversations_.begin(), found, std::next(found));
    DdeConversation* conversation = conversations_.front().get();
    if (auto connected = conversation->connect(application, topic, timeout); !connected.ok()) {
        std::erase_if(conversations_, [&](const auto& held) { return held.get() == conversation; });
        return connected.failure();
    }
    // Only a conversation that did open takes another's place, so a sheet that is refused
    // costs the others nothing.
    if (conversations_.size() > capacity)
        conversations_.pop_back();
    return conversation;
}

} // namespace sheetpush
