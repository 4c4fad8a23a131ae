#include "launch/excel_path_discovery.hpp"

#include "controls/messages.hpp"
#include "vocabulary/catalogue.hpp"

#include <string_view>
#include <tuple>

namespace sheetpush {

namespace {

inline constexpr std::u16string_view defaultExcelPath =
    u"C:\\program files\\microsoft office\\office\\Excel.exe";
inline constexpr std::u16string_view excelFileName = u"Excel.exe";
// The length of "\Excel.exe"; the folder is cut by this count whatever the path ends in.
inline constexpr std::size_t excelNameLength = 10;

void rememberExcelPath(SettingsStore& settings, std::u16string_view path) {
    // A store that cannot be written does not undo the check: the path is confirmed for this
    // run, and the next run tests whatever the store still holds.
    std::ignore = settings.write(settingsApplication, settingsSection, u"ExcelPath", path);
}

// The platform would take an empty folder for the current one, which says nothing about where
// Excel is, so it counts as not found and the person is asked.
bool folderHoldsExcel(FileListBox& files, const std::u16string& folder) {
    if (folder.empty() || !files.setPath(folder).ok())
        return false;
    const auto count = files.matchingCount();
    return count.ok() && count.value() != 0;
}

// False when the person cancelled or the dialog could not be shown. The three settings are made
// again before every showing, so each showing suggests "Excel.exe" anew.
bool askForExcel(OpenFileDialog& dialog, std::u16string& path) {
    dialog.title = text::excelDialogTitle;
    dialog.fileName = excelFileName;
    dialog.filter = text::excelFilter;
    const auto shown = dialog.showOpen();
    path = dialog.fileName;
    return shown.ok();
}

} // namespace

std::optional<std::u16string> discoverExcelPath(FileListBox& finder, OpenFileDialog& dialog,
                                                SettingsStore& settings) {
    std::u16string path = settings.read(settingsApplication, settingsSection, u"ExcelPath")
                              .value_or(std::u16string(defaultExcelPath));
    std::u16string folder;
    // Only the person ends the asking: each chosen path is tested like the stored one.
    for (;;) {
        finder.pattern = excelFileName;
        // A path shorter than the cut keeps the folder of the pass before.
        if (path.size() >= excelNameLength)
            folder = path.substr(0, path.size() - excelNameLength);
        if (folderHoldsExcel(finder, folder))
            break;
        if (runsUnattended(settings) || !askForExcel(dialog, path))
            return std::nullopt;
    }
    rememberExcelPath(settings, path);
    return path;
}

} // namespace sheetpush
