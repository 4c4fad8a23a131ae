#pragma once

#include "window/link_window.hpp"
#include "window/window_platform.hpp"

namespace sheetpush {

// The calling thread's link window, created on first use and kept until the thread ends. Every
// object of the automation classes that the thread serves works on it, and so shares its fields
// and its conversations with Excel.
LinkWindow& threadLinkWindow(WindowPlatform& platform);

} // namespace sheetpush
