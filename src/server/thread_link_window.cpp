#include "server/thread_link_window.hpp"

#include <memory>

namespace sheetpush {

LinkWindow& threadLinkWindow(WindowPlatform& platform) {
    thread_local std::unique_ptr<LinkWindow> window;
    if (!window || &window->platform() != &platform)
        window = std::make_unique<LinkWindow>(platform);
    return *window;
}

} // namespace sheetpush
