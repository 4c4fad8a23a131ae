#pragma once

#include "platform/platform.hpp"
#include "window/window_view.hpp"

#include <memory>

namespace sheetpush {

class LinkWindow;

// The seams a link window is made with: the platform's, and where the platform has windows, the
// hidden one that shows a new link window to a person.
class WindowPlatform : public Platform {
public:
    // The view attached to a new link window, which owns what it gets; none by default.
    virtual std::unique_ptr<WindowView> newView(LinkWindow& /*window*/) { return nullptr; }
};

} // namespace sheetpush
