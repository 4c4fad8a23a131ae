#include "window/link_window.hpp"

#include "launch/workbook_launch.hpp"
#include "link/cell_letters.hpp"
#include "link/cell_reference.hpp"
#include "vocabulary/catalogue.hpp"
#include "vocabulary/excerpt.hpp"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

namespace sheetpush {

namespace {

inline constexpr std::int16_t enterKey = 13;

// To the nearest whole number, a half to the even neighbour (2.5 gives 2, 3.5 gives 4); empty
// when no signed 32-bit value can hold it.
std::optional<std::int32_t> roundedHalfEven(double value) {
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (!(whole >= std::numeric_limits<std::int32_t>::min() &&
          whole <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

// A number the spinner cannot hold leaves both controls as they are: the field keeps the text as
// written, so the cell operation that follows the write still runs and reports on it.
void fieldToSpinner(const TextBox& field, Spinner& spinner) {
    const auto parsed = parseNumber(field.text());
    if (!parsed.ok())
        return;
    if (const auto whole = roundedHalfEven(parsed.value()))
        std::ignore = spinner.setValue(*whole);
}

void spinnerToField(const Spinner& spinner, TextBox& field) {
    field.setText(decimalText(spinner.value()));
}

// Each control's write runs the other's step inside it; the chain ends because a spinner set to
// the value it holds raises nothing.
void keepInStep(TextBox& field, Spinner& spinner) {
    field.onChange([&field, &spinner] { fieldToSpinner(field, spinner); });
    spinner.onChange([&spinner, &field] { spinnerToField(spinner, field); });
}

} // namespace

LinkWindow::LinkWindow(WindowPlatform& platform)
    : cellText(withExcelsLetters([&platform] { return platform.newConversation(); },
                                 platform.settings())),
      excelFinder(platform.fileList()), workbookDialog(platform.fileDialog(), 10000, false),
      excelDialog(platform.fileDialog(), 260, true), platform_(platform) {
    workbookDialog.title = text::workbookDialogTitle;
    workbookDialog.filter = text::workbookFilter;
    keepInStep(column, columnSpinner);
    keepInStep(row, rowSpinner);
    watchControls();
    load();
    platformView_ = platform.newView(*this);
}

CellFields LinkWindow::cellFields() {
    return {cellText, column, row, sheet};
}

bool LinkWindow::send() {
    return pokeCell(cellFields(), Messages(platform_));
}

bool LinkWindow::request() {
    return requestCell(cellFields(), Messages(platform_));
}

bool LinkWindow::sendTable(const TextTable& table) {
    return pokeTable(cellFields(), table, Messages(platform_));
}

std::optional<TextTable> LinkWindow::requestTable(std::size_t rows, std::size_t columns) {
    return sheetpush::requestTable(cellFields(), rows, columns, Messages(platform_));
}

void LinkWindow::onSendClick() {
    send();
}

void LinkWindow::onRunClick() {
    runCommandLine(commandLine, platform_, [this] { takeFocus(); });
}

void LinkWindow::onBrowseClick() {
    // Cancelling is no failure here; the field then takes the file confirmed earlier, if any.
    std::ignore = workbookDialog.showOpen();
    commandLine.setText(workbookDialog.fileName);
}

// Any shift state, and every repeat while the key is held, sends.
void LinkWindow::onCellTextKeyDown(std::int16_t keyCode, std::int16_t /*shift*/) {
    if (keyCode == enterKey)
        send();
}

void LinkWindow::takeFocus() {
    if (view_)
        view_->takeFocus();
}

// Subscribed after the steps, so a view sees each change once the chain it started has settled.
void LinkWindow::watchControls() {
    for (TextBox* field : {static_cast<TextBox*>(&cellText), &column, &row, &sheet, &commandLine})
        field->onChange([this, field] {
            if (view_)
                view_->textChanged(*field);
        });
    for (Spinner* spinner : {&columnSpinner, &rowSpinner})
        spinner->onChange([this, spinner] {
            if (view_)
                view_->valueChanged(*spinner);
        });
}

void LinkWindow::load() {
    fieldToSpinner(column, columnSpinner);
    fieldToSpinner(row, rowSpinner);
}

} // namespace sheetpush
