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

// Empty on success.
using Status = std::optional<Failure>;

// A value or the failure that prevented it.
template <class T> class Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    const Failure& failure() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

// The runtime error numbers the system reports; they are the ones automation clients know.
namespace error {
inline constexpr std::int32_t typeMismatch = 13;
inline constexpr std::int32_t overflow = 6;
inline constexpr std::int32_t invalidPropertyValue = 380;
inline constexpr std::int32_t objectNotSet = 91;
inline constexpr std::int32_t invalidUseOfNull = 94;
inline constexpr std::int32_t noDefaultMember = 438;
inline constexpr std::int32_t ddeNoPartner = 282;
inline constexpr std::int32_t ddeRefused = 285;
inline constexpr std::int32_t ddeTimeout = 286;
inline constexpr std::int32_t ddeBusy = 288;
inline constexpr std::int32_t ddePartnerQuit = 291;
inline constexpr std::int32_t ddeNoConversation = 293;
inline constexpr std::int32_t dialogCancelled = 32755;
inline constexpr std::int32_t fileListPath = 76;
inline constexpr std::int32_t launcherUnavailable = 53;
} // namespace error

} // namespace sheetpush
