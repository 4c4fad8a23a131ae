#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace sheetpush {

// A failed step, as continue-on-failure code records it and as an automation error carries it.
struct Failure {
    std::int32_t number = 0;
    std::u16string description;

    friend bool operator==(const Failure&, const Failure&) = default;
};

// What a step that gives nothing back came to: ok, or the failure that stopped it. A status is
// looked at or dropped on purpose, never lost.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_; }
    // Of a status that is not ok.
    const Failure& failure() const { return *failure_; }

private:
    std::optional<Failure> failure_;
};

// A value, or the failure that prevented it.
template <class T> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    // Of a result that is not ok.
    const Failure& failure() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

// A name as a description quotes it: whole when it is short, else its first units and an
// ellipsis, so that a huge sheet name or cell text cannot make a huge message. A surrogate pair
// is never cut in two.
inline std::u16string excerpt(std::u16string_view name) {
    constexpr std::size_t readable = 64;
    if (name.size() <= readable)
        return std::u16string(name);
    std::size_t kept = readable;
    if (name[kept - 1] >= 0xD800 && name[kept - 1] <= 0xDBFF)
        --kept;
    return std::u16string(name.substr(0, kept)) + u"…";
}

// A whole number as a description writes it: its digits, after a "-" when it is negative.
inline std::u16string decimalText(long long number) {
    const auto digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

// A runtime error number that automation clients know, and the failure that carries it with the
// description of the case at hand.
struct ErrorNumber {
    std::int32_t number;

    constexpr operator std::int32_t() const { return number; }
    Failure operator()(std::u16string description) const {
        return {number, std::move(description)};
    }
};

// A runtime error whose description is always the same.
struct FixedError {
    std::int32_t number;
    const char16_t* text;

    constexpr operator std::int32_t() const { return number; }
    Failure operator()() const { return {number, text}; }
};

// The errors the system reports.
namespace error {
inline constexpr ErrorNumber invalidArgument{5};
inline constexpr ErrorNumber overflow{6};
inline constexpr FixedError typeMismatch{13, u"عدم تطابق النوع"};
inline constexpr ErrorNumber launcherUnavailable{53};
inline constexpr FixedError pathFileAccess{75, u"تعذر حفظ الإعداد"};
inline constexpr ErrorNumber fileListPath{76};
inline constexpr FixedError objectNotSet{91, u"متغير الكائن غير معيّن"};
inline constexpr FixedError invalidUseOfNull{94, u"استخدام غير صالح للقيمة الخالية"};
inline constexpr ErrorNumber ddeNoPartner{282};
inline constexpr ErrorNumber ddeRefused{285};
inline constexpr ErrorNumber ddeTimeout{286};
inline constexpr ErrorNumber ddeBusy{288};
inline constexpr ErrorNumber ddePartnerQuit{291};
inline constexpr ErrorNumber ddeNoConversation{293};
inline constexpr FixedError invalidPropertyValue{380, u"قيمة خارج حدود عداد الأرقام"};
inline constexpr FixedError noDefaultMember{438, u"الكائن لا يدعم هذه الخاصية أو الأسلوب"};
inline constexpr FixedError dialogCancelled{32755, u"تم إلغاء مربع الحوار"};
} // namespace error

} // namespace sheetpush
