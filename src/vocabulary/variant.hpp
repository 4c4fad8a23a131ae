#pragma once

#include "vocabulary/result.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace sheetpush {

class Variant;

// How many times an object's default value is followed when it is itself an object. An object
// whose default value is the object itself would otherwise be followed until the stack runs out.
inline constexpr int defaultValueDepthLimit = 8;

// An object reference; its default value is fetched only when it is needed.
class AutomationObject {
public:
    virtual ~AutomationObject() = default;
    // A failure when the object has no default value.
    virtual Result<Variant> defaultValue() = 0;
};

struct Empty {
    friend bool operator==(Empty, Empty) = default;
};
struct Null {
    friend bool operator==(Null, Null) = default;
};
// Currency: the value times 10000.
struct Currency {
    std::int64_t scaled = 0;
    friend bool operator==(Currency, Currency) = default;
};
// A date: days since 30 December 1899, the time of day as the fraction.
struct Date {
    double days = 0;
    friend bool operator==(Date, Date) = default;
};
// A value of an automation type the core has no model for; vartype is that type.
struct Unconvertible {
    std::uint16_t vartype = 0;
    friend bool operator==(Unconvertible, Unconvertible) = default;
};
// An array as a client passes one: the lower bound and length of each dimension, and the
// elements laid out as an automation array lays them out, the first dimension's index changing
// fastest.
struct Array {
    struct Dimension {
        std::int32_t lowerBound = 0;
        std::size_t length = 0;
        friend bool operator==(const Dimension&, const Dimension&) = default;
    };
    std::vector<Dimension> dimensions;
    std::vector<Variant> elements;
    friend bool operator==(const Array&, const Array&) = default;
};
// A reference to another variant, as a client passes a variable.
struct VariantRef {
    const Variant* target = nullptr;
    friend bool operator==(VariantRef, VariantRef) = default;
};

// The automation value the core takes and returns.
class Variant {
public:
    using Value = std::variant<Empty, Null, std::int16_t, std::int32_t, float, double, Currency,
                               bool, Date, std::u16string, std::shared_ptr<AutomationObject>, Array,
                               Unconvertible, VariantRef>;

    Variant() = default;
    template <class T>
    requires std::is_constructible_v<Value, T&&> Variant(T&& value)
        : value_(std::forward<T>(value)) {}
    Variant(const char16_t* text) : value_(std::u16string(text)) {}

    const Value& value() const { return value_; }
    template <class T> bool holds() const { return std::holds_alternative<T>(value_); }
    template <class T> const T& as() const { return std::get<T>(value_); }

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    Value value_;
};

} // namespace sheetpush
