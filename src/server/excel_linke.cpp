#include "server/excel_linke.hpp"

#include "launch/workbook_launch.hpp"
#include "server/field_writes.hpp"
#include "server/thread_link_window.hpp"

namespace sheetpush {

Result<Variant> ExcelLinke::Sheetpush(const Variant& txt, const Variant& Col, const Variant& Row,
                                      const Variant& Sheet) {
    auto& window = threadLinkWindow(platform_);
    if (auto written = writeFields(u"Sheetpush",
                                   {{txt, &window.cellText},
                                    {Col, &window.column},
                                    {Row, &window.row},
                                    {Sheet, &window.sheet}},
                                   platform_);
        !written.ok())
        return written.failure();
    return Variant(window.send());
}

Result<Variant> ExcelLinke::ImportFromExcel(const Variant& Col, const Variant& Row,
                                            const Variant& Sheet) {
    auto& window = threadLinkWindow(platform_);
    if (auto written = writeFields(
            u"ImportFromExcel", {{Col, &window.column}, {Row, &window.row}, {Sheet, &window.sheet}},
            platform_);
        !written.ok())
        return written.failure();
    if (!window.request())
        return Variant(std::u16string());
    return Variant(window.cellText.text());
}

bool ExcelLinke::ExcelLinking(const Variant& XLS, std::int32_t ExcelShow) {
    auto& window = threadLinkWindow(platform_);
    return launchWorkbook({window.excelFinder, window.excelDialog, window.commandLine}, platform_,
                          XLS, ExcelShow);
}

} // namespace sheetpush
