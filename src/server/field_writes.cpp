#include "server/field_writes.hpp"

#include "platform/argument_text.hpp"
#include "vocabulary/catalogue.hpp"

#include <utility>

namespace sheetpush {

namespace {

// The method, each text cut short, and what stopped the conversion, if anything did.
std::u16string callEvent(std::u16string_view method, const std::vector<std::u16string>& texts,
                         const Status& converted) {
    std::u16string event = u"call " + std::u16string(method);
    for (const auto& argument : texts)
        event += u" " + text::quoted(argument);
    if (!converted.ok())
        event += u", then an argument without text: " + converted.failure().description;
    return event;
}

} // namespace

Result<std::vector<std::u16string>> writeFields(std::u16string_view method,
                                                std::initializer_list<FieldWrite> writes,
                                                Platform& platform) {
    std::vector<std::u16string> texts;
    Status converted;
    for (const auto& write : writes) {
        auto text = argumentText(write.argument, platform.formatting());
        if (!text.ok()) {
            converted = text.failure();
            break;
        }
        texts.push_back(std::move(text).value());
    }
    auto write = writes.begin();
    for (const auto& text : texts)
        if (auto* field = (write++)->field)
            field->setText(text);
    platform.trace()([&] { return callEvent(method, texts, converted); });
    if (!converted.ok())
        return converted.failure();
    return texts;
}

} // namespace sheetpush
