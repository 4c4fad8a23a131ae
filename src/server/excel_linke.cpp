#include "server/excel_linke.hpp"

#include "launch/workbook_launch.hpp"
#include "server/argument_text.hpp"

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace sheetpush {

namespace {

struct FieldWrite {
    TextBox& field;
    const Variant& argument;
};

// Each argument is converted just before its field is written, so a failing conversion leaves
// the fields before it written and those after it untouched.
Status writeFields(std::initializer_list<FieldWrite> writes, VariantFormatting& formatting) {
    for (const auto& write : writes) {
        auto text = argumentText(write.argument, formatting);
        if (!text.ok())
            return text.failure();
        write.field.setText(std::move(text).value());
    }
    return std::nullopt;
}

} // namespace

ExcelLink& threadLinkWindow(Platform& platform) {
    thread_local std::unique_ptr<ExcelLink> window;
    if (!window)
        window = std::make_unique<ExcelLink>(platform);
    return *window;
}

Result<Variant> ExcelLinke::Sheetpush(const Variant& txt, const Variant& Col, const Variant& Row,
                                      const Variant& Sheet) {
    auto& window = threadLinkWindow(platform_);
    if (auto failure = writeFields(
            {{window.Text1, txt}, {window.Text2, Col}, {window.Text3, Row}, {window.Text4, Sheet}},
            platform_.formatting()))
        return *failure;
    return Variant(window.SEND());
}

Result<Variant> ExcelLinke::ImportFromExcel(const Variant& Col, const Variant& Row,
                                            const Variant& Sheet) {
    auto& window = threadLinkWindow(platform_);
    if (auto failure =
            writeFields({{window.Text2, Col}, {window.Text3, Row}, {window.Text4, Sheet}},
                        platform_.formatting()))
        return *failure;
    if (!window.Request())
        return Variant(std::u16string());
    return Variant(window.Text1.text());
}

bool ExcelLinke::ExcelLinking(const Variant& XLS, std::int32_t ExcelShow) {
    return excelLinking(threadLinkWindow(platform_), XLS, ExcelShow);
}

} // namespace sheetpush
