#include "server/excel_linke.hpp"

#include "launch/workbook_launch.hpp"
#include "vocabulary/argument_text.hpp"

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sheetpush {

namespace {

struct FieldWrite {
    TextBox& field;
    const Variant& argument;
};

// Every argument is converted before the first field is written. Converting an object asks its
// client for the default value, and while the server waits another call can come in and use the
// same fields; once the writes start, nothing lets a call in until the transfer has run. A
// failing conversion still leaves the fields before it written and those after it untouched.
Status writeFields(std::initializer_list<FieldWrite> writes, VariantFormatting& formatting) {
    std::vector<std::u16string> texts;
    Status converted;
    for (const auto& write : writes) {
        auto text = argumentText(write.argument, formatting);
        if (!text.ok()) {
            converted = text.failure();
            break;
        }
        texts.push_back(std::move(text).value());
    }
    auto write = writes.begin();
    for (auto& text : texts)
        (write++)->field.setText(std::move(text));
    return converted;
}

} // namespace

ExcelLink& threadLinkWindow(WindowPlatform& platform) {
    thread_local std::unique_ptr<ExcelLink> window;
    if (!window)
        window = std::make_unique<ExcelLink>(platform);
    return *window;
}

Result<Variant> ExcelLinke::Sheetpush(const Variant& txt, const Variant& Col, const Variant& Row,
                                      const Variant& Sheet) {
    auto& window = threadLinkWindow(platform_);
    if (auto written = writeFields(
            {{window.Text1, txt}, {window.Text2, Col}, {window.Text3, Row}, {window.Text4, Sheet}},
            platform_.formatting());
        !written.ok())
        return written.failure();
    return Variant(window.SEND());
}

Result<Variant> ExcelLinke::ImportFromExcel(const Variant& Col, const Variant& Row,
                                            const Variant& Sheet) {
    auto& window = threadLinkWindow(platform_);
    if (auto written =
            writeFields({{window.Text2, Col}, {window.Text3, Row}, {window.Text4, Sheet}},
                        platform_.formatting());
        !written.ok())
        return written.failure();
    if (!window.Request())
        return Variant(std::u16string());
    return Variant(window.Text1.text());
}

bool ExcelLinke::ExcelLinking(const Variant& XLS, std::int32_t ExcelShow) {
    auto& window = threadLinkWindow(platform_);
    return excelLinking({window.File1, window.CommonDialog2, window.xlsPath}, platform_, XLS,
                        ExcelShow);
}

} // namespace sheetpush
