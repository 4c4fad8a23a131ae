#include "server/start_up.hpp"

#include "launch/excel_path_discovery.hpp"
#include "window/link_window.hpp"

namespace sheetpush {

// The instance is private to the start-up and goes with it, confirmed or cancelled.
void checkExcelPathAtStartUp(WindowPlatform& platform) {
    LinkWindow window(platform);
    discoverExcelPath(window.excelFinder, window.excelDialog, platform.settings());
}

} // namespace sheetpush
