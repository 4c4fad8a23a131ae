#pragma once

#include "window/link_window.hpp"
#include "window/window_platform.hpp"

namespace sheetpush {

// The calling thread's link window on platform, made on the thread's first call and kept until
// the thread ends. Every object of the automation classes that the thread serves works on it,
// and so shares its fields and its conversations with Excel. A process has one platform; a call
// on another would find no window of its own, and starts the thread's window afresh on it.
LinkWindow& threadLinkWindow(WindowPlatform& platform);

} // namespace sheetpush
