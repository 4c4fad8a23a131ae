#include "server/excel_linke.hpp"

#include "launch/workbook_launch.hpp"
#include "server/field_writes.hpp"
#include "server/thread_link_window.hpp"

namespace sheetpush {

Result<Variant> ExcelLinke::Sheetpush(const Variant& txt, const Variant& Col, const Variant& Row,
                                      const Variant& Sheet) {
    auto& window = threadLinkWindow(platform_);
    if (auto written = writeFields(u"Sheetpush",
                                   {{txt, &window.Text1},
                                    {Col, &window.Text2},
                                    {Row, &window.Text3},
                                    {Sheet, &window.Text4}},
                                   platform_);
        !written.ok())
        return written.failure();
    return Variant(window.SEND());
}

Result<Variant> ExcelLinke::ImportFromExcel(const Variant& Col, const Variant& Row,
                                            const Variant& Sheet) {
    auto& window = threadLinkWindow(platform_);
    if (auto written = writeFields(
            u"ImportFromExcel",
            {{Col, &window.Text2}, {Row, &window.Text3}, {Sheet, &window.Text4}}, platform_);
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
