#include "link/link_steps.hpp"
#include "vocabulary/catalogue.hpp"

namespace sheetpush {

void showLinkFailure(const Messages& messages, const Failure& failure) {
    messages.show(text::linkFailed(failure.description), text::linkFailedTitle);
}

} // namespace sheetpush
