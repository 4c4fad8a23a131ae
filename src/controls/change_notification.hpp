#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <utility>

namespace sheetpush {

// The change notification of a control. The window's own behaviour subscribes first and a view
// that shows the control after it; every handler runs inside the change, in that order, and
// reads the control as it stands when its turn comes.
class ChangeNotification {
public:
    void subscribe(std::function<void()> handler) { handlers_.push_back(std::move(handler)); }

    void raise() const {
        // A deque keeps the running handler in place should it subscribe another.
        for (std::size_t i = 0; i < handlers_.size(); ++i)
            handlers_[i]();
    }

private:
    std::deque<std::function<void()>> handlers_;
};

} // namespace sheetpush
