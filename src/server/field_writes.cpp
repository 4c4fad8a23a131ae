#include "server/field_writes.hpp"

#include "platform/argument_text.hpp"

#include <utility>

namespace sheetpush {

Result<std::vector<std::u16string>> writeFields(std::initializer_list<FieldWrite> writes,
                                                VariantFormatting& formatting) {
    std::vector<std::u16string> texts;
    Status converted;
    for (const auto& write : writes) {
        auto text = argumentText(write.argument, formatting);
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
    if (!converted.ok())
        return converted.failure();
    return texts;
}

} // namespace sheetpush
