#pragma once

namespace sheetpush {

class WindowPlatform;

// The start-up check: confirms the stored Excel path or asks for it, on a private link window.
void checkExcelPathAtStartUp(WindowPlatform& platform);

} // namespace sheetpush
