#pragma once

namespace sheetpush {

class Platform;

// The start-up procedure: confirms or asks for the Excel path on a private window.
void Main(Platform& platform);

} // namespace sheetpush
