#include "link/link_steps.hpp"

namespace sheetpush {

void showLinkFailure(const Messages& messages, const Failure& failure) {
    messages.show(u"فشلت عملية الربط ، تأكد من تواجد الهدف" + (u'\r' + failure.description),
                  u"الربط مع الأكسل");
}

} // namespace sheetpush
