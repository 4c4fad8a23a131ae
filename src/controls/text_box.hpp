#pragma once

#include "controls/change_notification.hpp"

#include <functional>
#include <string>
#include <utility>

namespace sheetpush {

// A text field. The change notification runs inside the write that changed the text, whether
// a program or a person wrote it.
class TextBox {
public:
    explicit TextBox(std::u16string text = {}) : text_(std::move(text)) {}
    TextBox(const TextBox&) = delete;
    TextBox& operator=(const TextBox&) = delete;

    const std::u16string& text() const { return text_; }

    void setText(std::u16string text) {
        if (text == text_)
            return;
        text_ = std::move(text);
        onChange_.raise();
    }

    // Adds a handler to the change notification.
    void onChange(std::function<void()> handler) { onChange_.subscribe(std::move(handler)); }

private:
    std::u16string text_;
    ChangeNotification onChange_;
};

} // namespace sheetpush
