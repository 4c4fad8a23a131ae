#include "launch/workbook_launch.hpp"

#include "launch/excel_path_discovery.hpp"
#include "server/argument_text.hpp"
#include "window/excel_link.hpp"

namespace sheetpush {

namespace {

// Show-window mode of the Run button: maximized.
inline constexpr std::uint32_t showMaximized = 3;

// Every launcher result below 32 names a failure, not only "file not found".
bool started(const Result<std::uint32_t>& launched) {
    return launched.ok() && launched.value() >= 32;
}

void reportLaunchFailure(Platform& platform) {
    platform.messageBoxes().show(u"لم أستطع تشغيل الملف", u"الطباعة إلى أكسل",
                                 rightToLeftMessageFlags);
}

// A Null workbook, like an Empty one, adds nothing after the blank, where every other argument
// would fail on it; the rest take their usual string form.
Result<std::u16string> workbookText(const Variant& XLS, VariantFormatting& formatting) {
    auto text = argumentText(XLS, formatting);
    if (!text.ok() && text.failure().number == error::invalidUseOfNull)
        return std::u16string();
    return text;
}

Result<std::uint32_t> launch(ExcelLink& window, std::uint32_t showWindowMode) {
    return window.platform().launcher().run(window.xlsPath.text(), showWindowMode);
}

} // namespace

bool excelLinking(ExcelLink& window, const Variant& XLS, std::int32_t ExcelShow) {
    auto& platform = window.platform();
    const auto excelPath = discoverExcelPath(window, platform.settings());
    if (!excelPath)
        return false;
    // Without the workbook's text nothing is launched: the field may still hold an earlier
    // command line, which is not what the caller asked for.
    const auto workbook = workbookText(XLS, platform.formatting());
    if (!workbook.ok()) {
        reportLaunchFailure(platform);
        return false;
    }
    window.xlsPath.setText(*excelPath + u" " + workbook.value());
    if (started(launch(window, static_cast<std::uint32_t>(ExcelShow))))
        return true;
    reportLaunchFailure(platform);
    return false;
}

void runCommandLine(ExcelLink& window) {
    const auto launched = launch(window, showMaximized);
    window.takeFocus();
    if (!started(launched))
        reportLaunchFailure(window.platform());
}

} // namespace sheetpush
