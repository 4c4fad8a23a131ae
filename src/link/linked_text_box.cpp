#include "link/linked_text_box.hpp"
#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"

#include <algorithm>
#include <chrono>
#include <utility>

namespace sheetpush {

namespace {

// Names the link it could not use, so that the one message a failed operation shows says where
// the text was meant to go.
Failure noConversation(const std::u16string& topic) {
    return error::ddeNoConversation(text::noLink(topic));
}

// The time-out counts tenths of a second; a negative one waits for nothing rather than for ever.
std::chrono::milliseconds waitOf(std::int16_t tenths) {
    return std::chrono::milliseconds{std::max(tenths, std::int16_t{0}) * 100};
}

} // namespace

LinkedTextBox::LinkedTextBox(ConversationFactory newConversation)
    : conversations_(std::move(newConversation)) {}

Status LinkedTextBox::setLinkMode(LinkMode mode) {
    mode_ = LinkMode::none;
    connected_ = nullptr;
    if (mode == LinkMode::none)
        return {};
    std::u16string_view topic = linkTopic;
    auto bar = std::min(topic.find(u'|'), topic.size());
    auto application = topic.substr(0, bar);
    topic.remove_prefix(std::min(bar + 1, topic.size()));
    auto opened = conversations_.open(application, topic, waitOf(linkTimeout));
    if (!opened.ok())
        return opened.failure();
    mode_ = mode;
    connected_ = opened.value();
    return {};
}

Status LinkedTextBox::pokePart(std::u16string_view part, std::u16string_view whole) {
    if (!connected_)
        return noConversation(linkTopic);
    return connected_->pokePart(linkItem, part, whole, waitOf(linkTimeout));
}

Status LinkedTextBox::request() {
    auto reply = requestValue();
    if (!reply.ok())
        return reply.failure();
    setText(std::move(reply).value());
    return {};
}

Result<std::u16string> LinkedTextBox::requestValue() {
    if (!connected_)
        return noConversation(linkTopic);
    return connected_->request(linkItem, waitOf(linkTimeout));
}

} // namespace sheetpush
