#pragma once

#include "vocabulary/variant.hpp"

#include <oaidl.h>

#include <cstdint>

namespace sheetpush::com {

// The core's copy of an argument as a client passed it. References are followed; an array keeps
// its dimensions and its elements, each converted as an argument is, but an array inside it only
// its type; other values the core has no model for become Unconvertible; objects keep their
// default value for later; numeric types the core does not model are turned into their standard
// text. The argument itself is only read.
Variant coreValue(const VARIANT& argument);

// A show-window mode from any argument form, by the standard coercion to a 32-bit integer. An
// object gives its default value, followed no deeper than any other argument's: the standard
// coercion alone would follow an object that is its own default value until the stack ran out.
HRESULT showMode(const VARIANT& argument, std::int32_t& mode);

// A method's result for the client: Empty, a Boolean, a string, or an array of variants that
// hold them.
HRESULT clientValue(const Variant& result, VARIANT& out);

} // namespace sheetpush::com
