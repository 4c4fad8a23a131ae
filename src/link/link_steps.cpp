#include "link/link_steps.hpp"

namespace sheetpush {

void showLinkFailure(MessageBoxes& messages, const Failure& failure) {
    messages.show(u"فشلت عملية الربط ، تأكد من تواجد الهدف" + (u'\r' + failure.description),
                  u"الربط مع الأكسل", rightToLeftMessageFlags);
}

} // namespace sheetpush
