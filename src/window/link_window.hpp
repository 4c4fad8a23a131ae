#pragma once

#include "controls/file_list_box.hpp"
#include "controls/open_file_dialog.hpp"
#include "controls/spinner.hpp"
#include "controls/text_box.hpp"
#include "link/cell_transfer.hpp"
#include "link/linked_text_box.hpp"
#include "link/table_transfer.hpp"
#include "vocabulary/catalogue.hpp"
#include "window/window_platform.hpp"
#include "window/window_view.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace sheetpush {

// The link window's state and behaviour. Its fields are the working state of every operation;
// a platform view may show them to a person, but nothing here depends on one.
//
// The window's parts by role, and the control that is each on the form:
//   cellText          Text1           the cell's text, linked to Excel
//   column            Text2           kept in step with columnSpinner, UpDown1
//   row               Text3           kept in step with rowSpinner, UpDown2
//   sheet             Text4
//   commandLine       xlsPath         the command line that runs a workbook
//   excelFinder       File1           the hidden file list that looks for Excel.exe
//   excelDialog       CommonDialog2   asks the person for Excel.exe
//   workbookDialog    CommonDialog1   picks the workbook for the command line
//   send, run, browse                 the buttons Command1, Command2, Command3
// and on screen alone: the labels of column, row, cell text and sheet, Label1 to Label4; the
// credit, Label5; the frames of sending and of the path, Frame2 and Frame1.
class LinkWindow {
public:
    // Creating an instance is its first use: the load behaviour runs here.
    explicit LinkWindow(WindowPlatform& platform);
    LinkWindow(const LinkWindow&) = delete;
    LinkWindow& operator=(const LinkWindow&) = delete;

    LinkedTextBox cellText;
    TextBox column{u"1"};
    TextBox row{u"1"};
    TextBox sheet{text::firstSheet};
    TextBox commandLine{u"c:\\program files\\microsoft office\\office\\Excel.exe"};
    Spinner columnSpinner{0, 100000};
    Spinner rowSpinner{0, 10000};
    FileListBox excelFinder;
    OpenFileDialog workbookDialog;
    OpenFileDialog excelDialog;

    // The cell operations: True when no step failed, else False after the link failure message.
    bool send();
    bool request();

    // The table operations on the block whose top left cell the row and column name on the
    // sheet, through the cell text's link; the cell text itself is no table's and stays as it is.
    // Each shows the link failure message when it fails.
    bool sendTable(const TextTable& table);
    std::optional<TextTable> requestTable(std::size_t rows, std::size_t columns);

    // What a person does to the window on screen: the buttons, and a key down in the cell text.
    void onSendClick();
    void onRunClick();
    void onBrowseClick();
    void onCellTextKeyDown(std::int16_t keyCode, std::int16_t shift);

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
