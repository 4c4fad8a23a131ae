#include "launch/excel_link_mod.hpp"

#include "launch/excel_path_discovery.hpp"
#include "platform/platform.hpp"
#include "window/excel_link.hpp"

namespace sheetpush {

// The instance is private to the start-up and goes with it, confirmed or cancelled.
void Main(Platform& platform) {
    ExcelLink window(platform);
    discoverExcelPath(window, platform.settings());
}

} // namespace sheetpush
