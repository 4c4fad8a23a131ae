#pragma once

#include "platform/dde_conversation.hpp"
#include "platform/file_dialog.hpp"
#include "platform/file_list.hpp"
#include "platform/launcher.hpp"
#include "platform/message_boxes.hpp"
#include "platform/settings_store.hpp"
#include "platform/variant_formatting.hpp"
#include "window/window_view.hpp"

#include <memory>

namespace sheetpush {

class ExcelLink;

// Every seam the core works through. Each window opens conversations of its own, one for each
// sheet it links to; the other seams are shared.
class Platform {
public:
    virtual ~Platform() = default;
    virtual std::unique_ptr<DdeConversation> newConversation() = 0;
    virtual MessageBoxes& messageBoxes() = 0;
    virtual FileDialog& fileDialog() = 0;
    virtual FileList& fileList() = 0;
    virtual Launcher& launcher() = 0;
    virtual SettingsStore& settings() = 0;
    virtual VariantFormatting& formatting() = 0;
    // The hidden platform window that shows a new link window to a person, attached to it as its
    // view; none where the platform has no windows. The link window owns what it gets.
    virtual std::unique_ptr<WindowView> newView(ExcelLink& /*window*/) { return nullptr; }
};

} // namespace sheetpush
