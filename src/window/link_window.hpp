#pragma once

#include "controls/file_list_box.hpp"
#include "controls/open_file_dialog.hpp"
#include "controls/spinner.hpp"
#include "controls/text_box.hpp"
#include "link/cell_transfer.hpp"
#include "link/linked_text_box.hpp"
#include "link/table_transfer.hpp"
#include "window/window_platform.hpp"
#include "window/window_view.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace sheetpush {

// The link window's state and behaviour. Its fields are the working state of every operation;
// a platform view may show them to a person, but nothing here depends on one.
class ExcelLink {
public:
    // Creating an instance is its first use: the load behaviour runs here.
    explicit ExcelLink(WindowPlatform& platform);
    ExcelLink(const ExcelLink&) = delete;
    ExcelLink& operator=(const ExcelLink&) = delete;

    LinkedTextBox Text1;
    TextBox Text2{u"1"};
    TextBox Text3{u"1"};
    TextBox Text4{u"ورقة1"};
    TextBox xlsPath{u"c:\\program files\\microsoft office\\office\\Excel.exe"};
    Spinner UpDown1{0, 100000};
    Spinner UpDown2{0, 10000};
    FileListBox File1;
    CommonDialog CommonDialog1;
    CommonDialog CommonDialog2;

    // The cell operations: True when no step failed, else False after the link failure message.
    bool SEND();
    bool Request();

    // The table operations on the block whose top left cell Text3 and Text2 name on sheet Text4,
    // through Text1's link; Text1's own text is no table's and stays as it is. Each shows the link
    // failure message when it fails.
    bool SendTable(const TextTable& table);
    std::optional<TextTable> RequestTable(std::size_t rows, std::size_t columns);

    // Events of the controls, for a window that is on screen.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Text1_KeyDown(std::int16_t keyCode, std::int16_t shift);

    // The platform window that shows this one, or nullptr; a view detaches itself before it goes,
    // and is told of no change made while it was detached.
    void setView(WindowView* view) { view_ = view; }
    // Gives the input focus to the window on screen; nothing happens while none shows it.
    void takeFocus();

    WindowPlatform& platform() const { return platform_; }

private:
    void watchControls();
    void load();
    CellFields cellFields();

    WindowPlatform& platform_;
    WindowView* view_ = nullptr;
    // The platform's own window for this instance; declared last so that it goes first.
    std::unique_ptr<WindowView> platformView_;
};

} // namespace sheetpush
