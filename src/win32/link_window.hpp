#pragma once

#include "win32/link_window_layout.hpp"
#include "win32_base/message_window.hpp"
#include "win32_base/raii.hpp"
#include "window/window_view.hpp"

#include <windows.h>

#include <cstdint>

namespace sheetpush {
class LinkWindow;
class TextBox;
class Spinner;
} // namespace sheetpush

namespace sheetpush::win32 {

// The link window on screen: a hidden top-level window of class "ExcelLink" whose controls show
// the fields and spinners of one link window and hand what a person does to it. It is never
// shown by the system; a person's close only hides it again, since the link window it shows
// lives on. While hidden it only notes that its controls are behind, since every automation call
// writes several fields that nobody sees; it catches up just before it appears. While the thread
// waits for a DDE partner, neither the window nor its controls act on what other programs send
// them (partner_wait.hpp): a click sent to the send button would poke in the middle of a poke.
class LinkWindow : public WindowView {
public:
    explicit LinkWindow(sheetpush::LinkWindow& model);
    LinkWindow(const LinkWindow&) = delete;
    LinkWindow& operator=(const LinkWindow&) = delete;
    ~LinkWindow() override;

    HWND handle() const { return window_.get(); }
    HWND control(ControlId id) const { return GetDlgItem(window_.get(), static_cast<int>(id)); }

    void takeFocus() override;
    void textChanged(const TextBox& field) override;
    void valueChanged(const Spinner& spinner) override;

private:
    friend struct WindowProcedure<LinkWindow>;
    static LRESULT CALLBACK controlProcedure(HWND control, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls();
    void addCreditTip();
    void showModel();
    void showText(const TextBox& field);
    void showValue(const Spinner& spinner);
    void onCommand(ControlId id, WORD code);
    bool onArrowClick(ControlId id, int delta);

    TextBox* fieldOf(ControlId id) const;
    Spinner* spinnerOf(ControlId id) const;
    ControlId idOf(const TextBox& field) const;
    ControlId idOf(const Spinner& spinner) const;

    sheetpush::LinkWindow& model_;
    // While the window writes a control itself, the control's change is not the person's.
    bool showing_ = false;
    // A field or spinner changed while the window was hidden.
    bool behind_ = false;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    UniqueGdiObject browsePicture_;
    // Last, so the window and its controls go before what they show.
    UniqueWindow window_;
};

// For the message loop of a thread that owns link windows: moves the focus with Tab and
// Shift+Tab among a link window's controls. True when the message was used up.
bool routeLinkWindowKeys(MSG& message);

} // namespace sheetpush::win32
