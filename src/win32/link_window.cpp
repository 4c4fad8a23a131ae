#include "win32/link_window.hpp"

#include "vocabulary/catalogue.hpp"
#include "win32/partner_wait.hpp"
#include "win32_base/boundary.hpp"
#include "win32_base/wide_text.hpp"
#include "window/link_window.hpp"

#include <commctrl.h>

#include <string>
#include <string_view>

namespace sheetpush::win32 {

namespace {

constexpr wchar_t className[] = L"ExcelLink";

// Children are not clipped from the background: the frames paint only their outline.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD windowExStyle = WS_EX_CONTROLPARENT | WS_EX_RTLREADING | WS_EX_RIGHT;

// The window class lives as long as the program; every thread's link windows share it.
class WindowClass {
public:
    WindowClass(WNDPROC procedure) {
        INITCOMMONCONTROLSEX controls{sizeof(controls),
                                      ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXW type{};
        type.cbSize = sizeof(type);
        type.lpfnWndProc = procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        type.lpszClassName = className;
        atom_ = RegisterClassExW(&type);
    }
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;
    ~WindowClass() {
        if (atom_)
            UnregisterClassW(className, GetModuleHandleW(nullptr));
    }

private:
    ATOM atom_ = 0;
};

struct Dpi {
    int x;
    int y;
};

Dpi screenDpi() {
    UniqueScreenDc screen(GetDC(nullptr));
    return {GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

const wchar_t* systemClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::frame:
    case ControlKind::button:
        return WC_BUTTONW;
    case ControlKind::label:
        return WC_STATICW;
    case ControlKind::edit:
        return WC_EDITW;
    case ControlKind::upDown:
        return UPDOWN_CLASSW;
    case ControlKind::listBox:
        return WC_LISTBOXW;
    }
    return WC_STATICW;
}

DWORD extendedStyle(const ControlLayout& control) {
    DWORD style = control.rightToLeft ? WS_EX_RTLREADING : 0;
    if (control.kind == ControlKind::edit || control.kind == ControlKind::listBox)
        style |= WS_EX_CLIENTEDGE;
    return style;
}

// The visible controls; the file list stays hidden.
DWORD visibility(const ControlLayout& control) {
    return control.kind == ControlKind::listBox ? 0 : WS_VISIBLE;
}

std::wstring windowText(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The shift state of a key event: 1 for Shift, 2 for Ctrl, 4 for Alt.
std::int16_t shiftState() {
    std::int16_t state = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        state |= 1;
    if (GetKeyState(VK_CONTROL) < 0)
        state |= 2;
    if (GetKeyState(VK_MENU) < 0)
        state |= 4;
    return state;
}

HICON loadIcon(int sizeMetric) {
    int size = GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"SHEETPUSH_LINK_ICON", IMAGE_ICON, size, size, 0));
}

} // namespace

LinkWindow::LinkWindow(sheetpush::LinkWindow& model) : model_(model) {
    static WindowClass windowClass(WindowProcedure<LinkWindow>::procedure);
    const Dpi dpi = screenDpi();
    RECT frame{0, 0, twipsToPixels(clientWidthTwips, dpi.x),
               twipsToPixels(clientHeightTwips, dpi.y)};
    AdjustWindowRectEx(&frame, windowStyle, FALSE, windowExStyle);
    bigIcon_.reset(loadIcon(SM_CXICON));
    smallIcon_.reset(loadIcon(SM_CXSMICON));
    browsePicture_.reset(LoadImageW(GetModuleHandleW(nullptr), L"SHEETPUSH_BROWSE", IMAGE_BITMAP, 0,
                                    0, LR_LOADMAP3DCOLORS));
    window_.reset(CreateWindowExW(windowExStyle, className, wideCString(text::windowCaption),
                                  windowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), this));
    if (!window_)
        return;
    SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    createControls();
    addCreditTip();
    showModel();
    model_.setView(this);
}

LinkWindow::~LinkWindow() {
    model_.setView(nullptr);
}

void LinkWindow::createControls() {
    const Dpi dpi = screenDpi();
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const auto& layout : linkWindowLayout()) {
        RECT place = pixelRect(layout, dpi.x, dpi.y);
        HWND made = CreateWindowExW(
            extendedStyle(layout), systemClass(layout.kind), wideCString(layout.caption),
            WS_CHILD | visibility(layout) | layout.style, place.left, place.top,
            place.right - place.left, place.bottom - place.top, handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), GetModuleHandleW(nullptr),
            nullptr);
        SendMessageW(made, WM_SETFONT, font, FALSE);
        SetWindowSubclass(made, controlProcedure, static_cast<UINT_PTR>(layout.id),
                          reinterpret_cast<DWORD_PTR>(this));
        // Frames sit beneath what they hold; they take no focus, so the tab order stays.
        if (layout.kind == ControlKind::frame)
            SetWindowPos(made, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SendMessageW(control(ControlId::browse), BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(browsePicture_.get()));
    for (ControlId id : {ControlId::columnSpinner, ControlId::rowSpinner})
        SendMessageW(control(id), UDM_SETRANGE32, static_cast<WPARAM>(spinnerOf(id)->min()),
                     spinnerOf(id)->max());
}

// The tip window belongs to the link window and goes with it.
void LinkWindow::addCreditTip() {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_RTLREADING;
    tool.hwnd = handle();
    tool.uId = reinterpret_cast<UINT_PTR>(control(ControlId::credit));
    tool.lpszText = const_cast<wchar_t*>(wideCString(text::creditTip));
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LinkWindow::showModel() {
    for (TextBox* field : {static_cast<TextBox*>(&model_.cellText), &model_.column, &model_.row,
                           &model_.sheet, &model_.commandLine})
        showText(*field);
    showValue(model_.columnSpinner);
    showValue(model_.rowSpinner);
    behind_ = false;
}

void LinkWindow::takeFocus() {
    SetFocus(handle());
}

void LinkWindow::textChanged(const TextBox& field) {
    if (IsWindowVisible(handle()))
        showText(field);
    else
        behind_ = true;
}

void LinkWindow::valueChanged(const Spinner& spinner) {
    if (IsWindowVisible(handle()))
        showValue(spinner);
    else
        behind_ = true;
}

// Writing only what differs keeps the caret where the person left it while typing.
void LinkWindow::showText(const TextBox& field) {
    HWND edit = control(idOf(field));
    const std::wstring text = wide(field.text());
    if (windowText(edit) == text)
        return;
    showing_ = true;
    SetWindowTextW(edit, text.c_str());
    showing_ = false;
    if (GetFocus() == edit)
        SendMessageW(edit, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
}

void LinkWindow::showValue(const Spinner& spinner) {
    SendMessageW(control(idOf(spinner)), UDM_SETPOS32, 0, spinner.value());
}

void LinkWindow::onCommand(ControlId id, WORD code) {
    if (code == EN_CHANGE && !showing_) {
        if (TextBox* field = fieldOf(id))
            field->setText(utf16(windowText(control(id))));
        return;
    }
    if (code != BN_CLICKED)
        return;
    if (id == ControlId::send)
        model_.onSendClick();
    else if (id == ControlId::run)
        model_.onRunClick();
    else if (id == ControlId::browse)
        model_.onBrowseClick();
}

// The arrow steps the link window's spinner; the control shows the result when the spinner
// reports it, and never moves on its own.
bool LinkWindow::onArrowClick(ControlId id, int delta) {
    Spinner* spinner = spinnerOf(id);
    if (!spinner)
        return false;
    if (delta > 0)
        spinner->stepUp();
    else if (delta < 0)
        spinner->stepDown();
    return true;
}

LRESULT LinkWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (leftAloneDuringWait(message))
        return 0;
    switch (message) {
    case WM_COMMAND:
        onCommand(static_cast<ControlId>(LOWORD(wParam)), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == UDN_DELTAPOS)
            return onArrowClick(static_cast<ControlId>(header->idFrom),
                                reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
        break;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == control(ControlId::credit)) {
            auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            SetBkColor(dc, GetSysColor(COLOR_INFOBK));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
        }
        break;
    case WM_WINDOWPOSCHANGING:
        // Both ShowWindow and SetWindowPos pass here before the window appears.
        if (behind_ && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW))
            showModel();
        break;
    case WM_CLOSE:
        ShowWindow(handle(), SW_HIDE);
        return 0;
    }
    return DefWindowProcW(handle(), message, wParam, lParam);
}

// Every control holds still while the thread waits for its partner. Every key-down in the cell
// text goes to the link window, Enter with any shift state and each repeat included; the key then
// reaches the field as usual. Enter is claimed from the dialog keys, so a tabbing message loop
// hands it here too.
LRESULT CALLBACK LinkWindow::controlProcedure(HWND control, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR id, DWORD_PTR self) {
    return guardedProcedure([&] {
        if (leftAloneDuringWait(message))
            return LRESULT{0};
        if (message == WM_NCDESTROY)
            RemoveWindowSubclass(control, controlProcedure, id);
        if (static_cast<ControlId>(id) != ControlId::cellText)
            return DefSubclassProc(control, message, wParam, lParam);
        if (message == WM_KEYDOWN)
            reinterpret_cast<LinkWindow*>(self)->model_.onCellTextKeyDown(
                static_cast<std::int16_t>(wParam), shiftState());
        if (message == WM_GETDLGCODE && wParam == VK_RETURN)
            return DefSubclassProc(control, message, wParam, lParam) | DLGC_WANTALLKEYS;
        return DefSubclassProc(control, message, wParam, lParam);
    });
}

TextBox* LinkWindow::fieldOf(ControlId id) const {
    switch (id) {
    case ControlId::cellText:
        return &model_.cellText;
    case ControlId::column:
        return &model_.column;
    case ControlId::row:
        return &model_.row;
    case ControlId::sheet:
        return &model_.sheet;
    case ControlId::commandLine:
        return &model_.commandLine;
    default:
        return nullptr;
    }
}

Spinner* LinkWindow::spinnerOf(ControlId id) const {
    if (id == ControlId::columnSpinner)
        return &model_.columnSpinner;
    if (id == ControlId::rowSpinner)
        return &model_.rowSpinner;
    return nullptr;
}

ControlId LinkWindow::idOf(const TextBox& field) const {
    for (ControlId id : {ControlId::cellText, ControlId::column, ControlId::row, ControlId::sheet,
                         ControlId::commandLine})
        if (fieldOf(id) == &field)
            return id;
    return ControlId::window;
}

ControlId LinkWindow::idOf(const Spinner& spinner) const {
    return &spinner == &model_.columnSpinner ? ControlId::columnSpinner : ControlId::rowSpinner;
}

bool routeLinkWindowKeys(MSG& message) {
    // The dialog manager acts on keys only; every other message goes the usual way, and the
    // loop's many other messages (COM's calls among them) need not ask for the window's class.
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST)
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    wchar_t name[16] = {};
    if (!root || !GetClassNameW(root, name, 16) || std::wstring_view(name) != className)
        return false;
    return IsDialogMessageW(root, &message);
}

} // namespace sheetpush::win32
