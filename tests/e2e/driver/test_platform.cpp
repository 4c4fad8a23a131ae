#include "test_platform.hpp"

#include "platform/win32/message_window.hpp"
#include "platform/win32/raii.hpp"
#include "platform/win32/raw_dde_conversation.hpp"

#include <windows.h>

namespace e2e {

namespace {

bool markerRan = false;

LRESULT CALLBACK markerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        markerRan = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class NoDialog : public sheetpush::FileDialog {
public:
    std::optional<std::u16string> showOpen(const sheetpush::OpenFileRequest&) override {
        return std::nullopt;
    }
};

class NoFiles : public sheetpush::FileList {
public:
    sheetpush::Result<int> countMatching(std::u16string_view, std::u16string_view) override {
        return 0;
    }
};

class NoLauncher : public sheetpush::Launcher {
public:
    sheetpush::Result<std::uint32_t> run(std::u16string_view, std::uint32_t) override {
        return sheetpush::Failure{sheetpush::error::launcherUnavailable, u"no launcher"};
    }
};

class NoSettings : public sheetpush::SettingsStore {
public:
    std::optional<std::u16string> read(std::u16string_view, std::u16string_view,
                                       std::u16string_view) override {
        return std::nullopt;
    }
    sheetpush::Status write(std::u16string_view, std::u16string_view, std::u16string_view,
                            std::u16string_view) override {
        return std::nullopt;
    }
};

class NoFormatting : public sheetpush::VariantFormatting {
public:
    sheetpush::Result<std::u16string> format(const sheetpush::Variant&) override {
        return sheetpush::Failure{sheetpush::error::typeMismatch, u"no formatting"};
    }
};

} // namespace

struct TestPlatform::Inert {
    NoDialog dialog;
    NoFiles files;
    NoLauncher launcher;
    NoSettings settings;
    NoFormatting formatting;
    sheetpush::win32::UniqueWindow marker =
        sheetpush::win32::makeMessageWindow(L"SheetpushE2eMarker", markerProcedure);
};

TestPlatform::TestPlatform() : inert_(std::make_unique<Inert>()) {}
TestPlatform::~TestPlatform() = default;

std::unique_ptr<sheetpush::DdeConversation> TestPlatform::newConversation() {
    return std::make_unique<sheetpush::win32::RawDdeConversation>();
}

sheetpush::FileDialog& TestPlatform::fileDialog() {
    return inert_->dialog;
}
sheetpush::FileList& TestPlatform::fileList() {
    return inert_->files;
}
sheetpush::Launcher& TestPlatform::launcher() {
    return inert_->launcher;
}
sheetpush::SettingsStore& TestPlatform::settings() {
    return inert_->settings;
}
sheetpush::VariantFormatting& TestPlatform::formatting() {
    return inert_->formatting;
}

void TestPlatform::postMarker() {
    markerRan = false;
    PostMessageW(inert_->marker.get(), WM_APP, 0, 0);
}

bool TestPlatform::markerDispatched() const {
    return markerRan;
}

void TestPlatform::pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

void TestPlatform::RecordingMessageBoxes::show(std::u16string_view prompt,
                                               std::u16string_view title, std::uint32_t flags) {
    shown.push_back(
        {std::u16string(prompt), std::u16string(title), flags, owner_.markerDispatched()});
    real_.show(prompt, title, flags);
}

} // namespace e2e
