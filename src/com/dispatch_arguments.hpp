#pragma once

#include <oaidl.h>

#include <array>

namespace sheetpush::com {

// The most parameters any method of the interfaces takes.
inline constexpr UINT maxParameters = 5;

using OrderedArguments = std::array<const VARIANT*, maxParameters>;

// A dispatch call's arguments in parameter order. DISPPARAMS holds positional arguments last to
// first, and named ones (by parameter position, as GetIDsOfNames gives them) before those.
// Every parameter is required. On a failure, argumentError (when given) names the offending
// argument as its index in DISPPARAMS.
HRESULT orderArguments(const DISPPARAMS& parameters, UINT parameterCount, OrderedArguments& ordered,
                       UINT* argumentError);

} // namespace sheetpush::com
