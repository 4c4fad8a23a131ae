#pragma once

namespace sheetpush {

class WindowPlatform;

// The start-up check of the Excel path: confirms the stored one, or asks the person for it, on a
// private link window.
void checkExcelPathAtStartUp(WindowPlatform& platform);

} // namespace sheetpush
