#include "launch/workbook_launch.hpp"

#include "controls/messages.hpp"
#include "launch/excel_path_discovery.hpp"
#include "platform/argument_text.hpp"
#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"
#include "vocabulary/excerpt.hpp"

namespace sheetpush {

namespace {

// Show-window mode of the Run button: maximized.
inline constexpr std::uint32_t showMaximized = 3;

// Every launcher result below 32 names a failure, not only "file not found".
bool started(const Result<std::uint32_t>& launched) {
    return launched.ok() && launched.value() >= 32;
}

void reportLaunchFailure(Platform& platform) {
    Messages(platform).show(text::launchFailed, text::launchFailedTitle);
}

// A Null workbook, like an Empty one, adds nothing after the blank, where every other argument
// would fail on it; the rest take their usual string form.
Result<std::u16string> workbookText(const Variant& workbook, VariantFormatting& formatting) {
    auto text = argumentText(workbook, formatting);
    if (!text.ok() && text.failure().number == error::invalidUseOfNull)
        return std::u16string();
    return text;
}

// The Excel path stands in quotes when it holds a blank, as the default one does: unquoted, the
// launcher would try each beginning of the line in turn as the program, and a "C:\Program.exe"
// would run in Excel's place.
std::u16string programPart(const std::u16string& excelPath) {
    if (excelPath.find_first_of(u" \t") == std::u16string::npos)
        return excelPath;
    return u"\"" + excelPath + u"\"";
}

Result<std::uint32_t> launch(const TextBox& commandLine, Platform& platform,
                             std::uint32_t showWindowMode) {
    return platform.launcher().run(commandLine.text(), showWindowMode);
}

} // namespace

bool launchWorkbook(const LaunchFields& fields, Platform& platform, const Variant& workbook,
                    std::int32_t showMode) {
    // The call is traced before Excel.exe is looked for: a person who cancels the question, or
    // a server run unattended, ends it with False and no message.
    const Trace trace = platform.trace();
    trace([&] { return u"call ExcelLinking, show mode " + decimalText(showMode); });
    const auto excelPath =
        discoverExcelPath(fields.excelFinder, fields.excelDialog, platform.settings());
    if (!excelPath) {
        trace([] {
            return std::u16string(u"ExcelLinking ends: Excel.exe neither found nor chosen");
        });
        return false;
    }
    // Without the workbook's text nothing is launched: the field may still hold an earlier
    // command line, which is not what the caller asked for.
    const auto given = workbookText(workbook, platform.formatting());
    trace([&] {
        return given.ok()
                   ? u"ExcelLinking's workbook " + text::quoted(given.value())
                   : u"ExcelLinking without a workbook's text: " + given.failure().description;
    });
    if (!given.ok()) {
        reportLaunchFailure(platform);
        return false;
    }
    fields.commandLine.setText(programPart(*excelPath) + u" " + given.value());
    if (started(launch(fields.commandLine, platform, static_cast<std::uint32_t>(showMode))))
        return true;
    reportLaunchFailure(platform);
    return false;
}

void runCommandLine(const TextBox& commandLine, Platform& platform,
                    const std::function<void()>& takeFocus) {
    const auto launched = launch(commandLine, platform, showMaximized);
    takeFocus();
    if (!started(launched))
        reportLaunchFailure(platform);
}

} // namespace sheetpush
