#pragma once

namespace sheetpush {

class WindowPlatform;

// The start-up procedure: confirms or asks for the Excel path on a private window.
void Main(WindowPlatform& platform);

} // namespace sheetpush
