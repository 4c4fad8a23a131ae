#pragma once

#include "platform/dde_conversation.hpp"
#include "platform/file_dialog.hpp"
#include "platform/file_list.hpp"
#include "platform/launcher.hpp"
#include "platform/message_boxes.hpp"
#include "platform/settings_store.hpp"
#include "platform/trace.hpp"
#include "platform/variant_formatting.hpp"

#include <memory>

namespace sheetpush {

// Every seam the core works through. Each window opens conversations of its own, one for each
// sheet it links to; the other seams are shared. The trace is on or off for the platform's life.
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
    virtual Trace trace() = 0;
};

} // namespace sheetpush
