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

ExcelLink::ExcelLink(WindowPlatform& platform)
    : Text1(withExcelsLetters([&platform] { return platform.newConversation(); },
                              platform.settings())),
      File1(platform.fileList()), CommonDialog1(platform.fileDialog(), 10000, false),
      CommonDialog2(platform.fileDialog(), 260, true), platform_(platform) {
    CommonDialog1.DialogTitle = text::workbookDialogTitle;
    CommonDialog1.Filter = text::workbookFilter;
    keepInStep(Text2, UpDown1);
    keepInStep(Text3, UpDown2);
    watchControls();
    load();
    platformView_ = platform.newView(*this);
}

CellFields ExcelLink::cellFields() {
    return {Text1, Text2, Text3, Text4};
}

bool ExcelLink::SEND() {
    return pokeCell(cellFields(), Messages(platform_));
}

bool ExcelLink::Request() {
    return requestCell(cellFields(), Messages(platform_));
}

bool ExcelLink::SendTable(const TextTable& table) {
    return pokeTable(cellFields(), table, Messages(platform_));
}

std::optional<TextTable> ExcelLink::RequestTable(std::size_t rows, std::size_t columns) {
    return requestTable(cellFields(), rows, columns, Messages(platform_));
}

void ExcelLink::Command1_Click() {
    SEND();
}

void ExcelLink::Command2_Click() {
    runCommandLine(xlsPath, platform_, [this] { takeFocus(); });
}

void ExcelLink::Command3_Click() {
    // Cancelling is no failure here; the field then takes the file confirmed earlier, if any.
    std::ignore = CommonDialog1.ShowOpen();
    xlsPath.setText(CommonDialog1.FileName);
}

// Any shift state, and every repeat while the key is held, sends.
void ExcelLink::Text1_KeyDown(std::int16_t keyCode, std::int16_t /*shift*/) {
    if (keyCode == enterKey)
        SEND();
}

void ExcelLink::takeFocus() {
    if (view_)
        view_->takeFocus();
}

// Subscribed after the steps, so a view sees each change once the chain it started has settled.
void ExcelLink::watchControls() {
    for (TextBox* field : {static_cast<TextBox*>(&Text1), &Text2, &Text3, &Text4, &xlsPath})
        field->onChange([this, field] {
            if (view_)
                view_->textChanged(*field);
        });
    for (Spinner* spinner : {&UpDown1, &UpDown2})
        spinner->onChange([this, spinner] {
            if (view_)
                view_->valueChanged(*spinner);
        });
}

void ExcelLink::load() {
    fieldToSpinner(Text2, UpDown1);
    fieldToSpinner(Text3, UpDown2);
}

} // namespace sheetpush
