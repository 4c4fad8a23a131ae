#include "window/excel_link.hpp"

#include "link/cell_transfer.hpp"

namespace sheetpush {

ExcelLink::ExcelLink(Platform& platform)
    : Text1(platform.newConversation()), File1(platform.fileList()),
      CommonDialog1(platform.fileDialog(), 10000, false),
      CommonDialog2(platform.fileDialog(), 260, true), platform_(platform) {
    CommonDialog1.DialogTitle = u"تحديد مصنف أكسل";
    CommonDialog1.Filter = u"ملفات أكسل|*.xls|كافة الملفات|*.*";
}

bool ExcelLink::SEND() { return pokeCell(*this); }

bool ExcelLink::Request() { return requestCell(*this); }

} // namespace sheetpush
