#pragma once

#include "vocabulary/excerpt.hpp"

#include <cstddef>
#include <string>
#include <string_view>

// Every text a person reads: the messages and their titles, the descriptions of failures, the
// captions of the window and its controls, the dialogs' titles and filters. A description that
// names a sheet, item or application is a function of it; it quotes long names by excerpt.
namespace sheetpush::text {

// The messages, each with its title.
inline std::u16string linkFailed(std::u16string_view description) {
    return u"فشلت عملية الربط ، تأكد من تواجد الهدف\r" + std::u16string(description);
}
inline constexpr char16_t linkFailedTitle[] = u"الربط مع الأكسل";
inline constexpr char16_t launchFailed[] = u"لم أستطع تشغيل الملف";
inline constexpr char16_t launchFailedTitle[] = u"الطباعة إلى أكسل";

// The link window, its controls and its dialog; the Excel.exe dialog.
inline constexpr char16_t windowCaption[] = u"طباعة إلى الأكسل";
inline constexpr char16_t pathFrame[] = u"المسار";
inline constexpr char16_t sendFrame[] = u"الإرسال";
inline constexpr char16_t sendButton[] = u"إرسال إلى الأكسل";
inline constexpr char16_t runButton[] = u"تشغيل";
inline constexpr char16_t sheetLabel[] = u"الورقة";
inline constexpr char16_t textLabel[] = u"النص";
inline constexpr char16_t rowLabel[] = u"الصف";
inline constexpr char16_t columnLabel[] = u"العمود";
inline constexpr char16_t creditLine[] = u"Sheetpush ١٫١ — برمجة أورفاند";
inline constexpr char16_t creditTip[] = u"يرسل النص إلى خلية في الأكسل ويشغل الأكسل على مصنف";
inline constexpr char16_t firstSheet[] = u"ورقة1";
inline constexpr char16_t workbookDialogTitle[] = u"تحديد مصنف أكسل";
inline constexpr char16_t workbookFilter[] = u"ملفات أكسل|*.xls|كافة الملفات|*.*";
inline constexpr char16_t excelDialogTitle[] = u"حدد مسار برنامج الأكسل";
inline constexpr char16_t excelFilter[] = u"برنامج الأكسل|Excel.exe";

// Failures that name nothing.
inline constexpr char16_t typeMismatch[] = u"عدم تطابق النوع";
inline constexpr char16_t settingNotSaved[] = u"تعذر حفظ الإعداد";
inline constexpr char16_t objectNotSet[] = u"متغير الكائن غير معيّن";
inline constexpr char16_t invalidUseOfNull[] = u"استخدام غير صالح للقيمة الخالية";
inline constexpr char16_t outsideSpinner[] = u"قيمة خارج حدود عداد الأرقام";
inline constexpr char16_t noDefaultMember[] = u"الكائن لا يدعم هذه الخاصية أو الأسلوب";
inline constexpr char16_t dialogCancelled[] = u"تم إلغاء مربع الحوار";
inline constexpr char16_t dateOutOfRange[] = u"التاريخ خارج النطاق المسموح";
inline constexpr char16_t overflow[] = u"تجاوز السعة";
inline constexpr char16_t pathNotFound[] = u"لم يتم العثور على المسار";
inline constexpr char16_t commandLineNotPassed[] = u"لا يمكن تمرير سطر الأوامر إلى المشغل";
inline constexpr char16_t textWithNul[] = u"لم يُرسل النص: فيه حرف فارغ (NUL) ينقطع النص عنده";
inline constexpr char16_t textWithBreak[] =
    u"لم يُرسل النص: فيه علامة جدولة أو نهاية سطر، والأكسل يحذف كل ما بعدها";
inline constexpr char16_t sheetWithNul[] =
    u"لا يصلح اسم الورقة: فيه حرف فارغ (NUL) يجعله يدل على ورقة أخرى";
inline constexpr char16_t valuesNotArray[] = u"لم يُرسل الجدول: القيم ليست مصفوفة";
inline constexpr char16_t columnsCount[] = u"الأعمدة";
inline constexpr char16_t rowsCount[] = u"الصفوف";
// Between the indices of an element of a two-dimensional array.
inline constexpr char16_t indexSeparator[] = u"، ";

inline std::u16string quoted(std::u16string_view name) {
    return u"«" + excerpt(name) + u"»";
}

// Failures of a number, a table or a table's cell.
inline std::u16string numberOverflow(std::u16string_view text) {
    return u"تجاوز الرقم حدود السعة في النص \"" + excerpt(text) + u"\"";
}
inline std::u16string valuesDimensions(long long count) {
    return u"لم يُرسل الجدول: للقيم " + decimalText(count) +
           u" أبعاد، والجدول صف واحد من بعد واحد أو صفوف وأعمدة من بعدين";
}
inline std::u16string inElement(std::u16string_view place, std::u16string_view description) {
    return u"في العنصر (" + std::u16string(place) + u") من القيم: " + std::u16string(description);
}
inline std::u16string badCount(std::u16string_view what, std::u16string_view text, long long most) {
    return u"لا يصلح عدد " + std::u16string(what) + u" " + quoted(text) +
           u": يلزم عدد صحيح من 1 إلى " + decimalText(most);
}
inline std::u16string pastLastRow(std::u16string_view row, long long rows) {
    return u"يمتد الجدول إلى الصف " + std::u16string(row) + u"، بعد آخر صف في الورقة (" +
           decimalText(rows) + u")";
}
inline std::u16string pastLastColumn(std::u16string_view column, long long columns) {
    return u"يمتد الجدول إلى العمود " + std::u16string(column) + u"، بعد آخر عمود في الورقة (" +
           decimalText(columns) + u")";
}
inline std::u16string inCell(std::size_t row, std::size_t column, std::u16string_view description) {
    return u"في الخلية (الصف " + decimalText(row) + u"، العمود " + decimalText(column) +
           u") من الجدول: " + std::u16string(description);
}
inline std::u16string rowTooLong(std::size_t row, std::size_t units, std::size_t most) {
    return u"لم يُرسل الجدول: الصف " + decimalText(row) + u" أطول من أن تحمله رسالة واحدة (" +
           decimalText(units) + u" حرفًا، والحد " + decimalText(most) + u")";
}
inline std::u16string rowsLanded(std::u16string_view description, std::size_t landed,
                                 std::size_t rows) {
    return std::u16string(description) + u"\rعدد صفوف الجدول التي كُتبت قبل ذلك: " +
           decimalText(landed) + u" من " + decimalText(rows);
}

// Failures of a DDE conversation.
inline std::u16string noLink(std::u16string_view topic) {
    return u"لا توجد محادثة ربط مفتوحة مع " + excerpt(topic);
}
inline std::u16string noConversationWindow(std::u16string_view application) {
    return u"تعذر إنشاء نافذة المحادثة مع التطبيق " + quoted(application);
}
inline std::u16string unfitName(std::u16string_view name) {
    return u"لا يصلح الاسم " + quoted(name) + u" لفتح محادثة: الاسم فارغ أو أطول من 255 حرفًا";
}
inline std::u16string initiateTimedOut(std::u16string_view application, std::u16string_view topic) {
    return u"انتهت مهلة انتظار التطبيق " + quoted(application) + u" لفتح الموضوع " + quoted(topic);
}
inline std::u16string noPartner(std::u16string_view application, std::u16string_view topic) {
    return u"لا يوجد تطبيق " + quoted(application) + u" يجيب على الموضوع " + quoted(topic);
}
inline std::u16string noConversationToPoke(std::u16string_view item) {
    return u"لا توجد محادثة مفتوحة لإرسال البند " + quoted(item);
}
inline std::u16string pokeNotReady(std::u16string_view item) {
    return u"تعذر تجهيز النص لإرساله إلى البند " + quoted(item);
}
inline std::u16string noConversationToRequest(std::u16string_view item) {
    return u"لا توجد محادثة مفتوحة لطلب البند " + quoted(item);
}
inline std::u16string requestNotReady(std::u16string_view item) {
    return u"تعذر تجهيز طلب البند " + quoted(item);
}
inline std::u16string notText(std::u16string_view application, std::u16string_view item) {
    return u"أرسل التطبيق " + quoted(application) + u" قيمة البند " + quoted(item) +
           u" بصيغة غير نصية";
}
inline std::u16string busy(std::u16string_view application, std::u16string_view item) {
    return u"التطبيق " + quoted(application) + u" مشغول ولم ينفذ العملية على البند " + quoted(item);
}
inline std::u16string refused(std::u16string_view application, std::u16string_view item) {
    return u"رفض التطبيق " + quoted(application) + u" العملية على البند " + quoted(item);
}
inline std::u16string ansiOnly(std::u16string_view application) {
    return u"لم يُرسل النص: لا يقبل التطبيق " + quoted(application) +
           u" إلا نصًا بترميز ANSI، وفي النص أحرف لا يحملها";
}
inline std::u16string unicodeRefused(std::u16string_view application, std::u16string_view item) {
    return u"رفض التطبيق " + quoted(application) + u" النص بترميز Unicode على البند " +
           quoted(item) + u"، وفي النص أحرف لا يحملها ترميز ANSI";
}
inline std::u16string answerTimedOut(std::u16string_view application, std::u16string_view item) {
    return u"انتهت مهلة انتظار رد التطبيق " + quoted(application) + u" على البند " + quoted(item);
}
inline std::u16string partnerQuit(std::u16string_view application, std::u16string_view topic) {
    return u"أنهى التطبيق " + quoted(application) + u" المحادثة على الموضوع " + quoted(topic);
}
inline std::u16string tooManyCells(std::u16string_view item) {
    return u"أجاب الأكسل عن البند " + quoted(item) + u" بصفوف أو خلايا أكثر مما فيه";
}

} // namespace sheetpush::text
