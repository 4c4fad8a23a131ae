#pragma once

#include "win32/trace_log.hpp"
#include "win32/win32_file_dialog.hpp"
#include "win32/win32_file_list.hpp"
#include "win32/win32_launcher.hpp"
#include "win32/win32_message_boxes.hpp"
#include "win32/win32_settings_store.hpp"
#include "win32/win32_variant_formatting.hpp"
#include "window/window_platform.hpp"

namespace sheetpush::win32 {

// The seams of the Windows build: each link window has a hidden window of its own on screen and
// talks to Excel over a raw DDE conversation of its own, and all share the system's message
// boxes, dialog, file search, launcher and registry. The user's trace switch is read once, as
// the platform is made.
class Win32Platform : public WindowPlatform {
public:
    Win32Platform();

    std::unique_ptr<DdeConversation> newConversation() override;
    MessageBoxes& messageBoxes() override { return messageBoxes_; }
    FileDialog& fileDialog() override { return fileDialog_; }
    FileList& fileList() override { return fileList_; }
    Launcher& launcher() override { return launcher_; }
    SettingsStore& settings() override { return settings_; }
    VariantFormatting& formatting() override { return formatting_; }
    Trace trace() override { return trace_; }
    std::unique_ptr<WindowView> newView(sheetpush::LinkWindow& window) override;

private:
    std::unique_ptr<TraceLog> log_;
    Trace trace_;
    Win32MessageBoxes messageBoxes_;
    Win32FileDialog fileDialog_;
    Win32FileList fileList_{trace_};
    Win32Launcher launcher_{trace_};
    Win32SettingsStore settings_{trace_};
    Win32VariantFormatting formatting_{trace_};
};

} // namespace sheetpush::win32
