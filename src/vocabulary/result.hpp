#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace sheetpush {

// A failed step, as continue-on-failure code records it and as an automation error carries it.
struct Failure {
    std::int32_t number = 0;
    std::u16string description;
    // The operating system's error code behind it, for whoever looks further; 0 when none.
    std::uint32_t systemCode = 0;

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

} // namespace sheetpush
