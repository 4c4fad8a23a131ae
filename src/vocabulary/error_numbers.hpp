#pragma once

#include "vocabulary/catalogue.hpp"
#include "vocabulary/result.hpp"

#include <cstdint>
#include <string>
#include <utility>

namespace sheetpush {

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
inline constexpr FixedError typeMismatch{13, text::typeMismatch};
inline constexpr ErrorNumber launcherUnavailable{53};
inline constexpr FixedError pathFileAccess{75, text::settingNotSaved};
inline constexpr ErrorNumber fileListPath{76};
inline constexpr FixedError objectNotSet{91, text::objectNotSet};
inline constexpr FixedError invalidUseOfNull{94, text::invalidUseOfNull};
inline constexpr ErrorNumber ddeNoPartner{282};
inline constexpr ErrorNumber ddeRefused{285};
inline constexpr ErrorNumber ddeTimeout{286};
inline constexpr ErrorNumber ddeBusy{288};
inline constexpr ErrorNumber ddePartnerQuit{291};
inline constexpr ErrorNumber ddeNoConversation{293};
inline constexpr FixedError invalidPropertyValue{380, text::outsideSpinner};
inline constexpr FixedError noDefaultMember{438, text::noDefaultMember};
inline constexpr FixedError dialogCancelled{32755, text::dialogCancelled};
} // namespace error

} // namespace sheetpush
