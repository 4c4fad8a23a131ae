#include "server/thread_link_window.hpp"

#include <memory>

namespace sheetpush {

ExcelLink& threadLinkWindow(WindowPlatform& platform) {
    thread_local std::unique_ptr<ExcelLink> window;
    if (!window)
        window = std::make_unique<ExcelLink>(platform);
    return *window;
}

} // namespace sheetpush
