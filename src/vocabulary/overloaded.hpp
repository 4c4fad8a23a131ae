#pragma once

namespace sheetpush {

// One visitor made of a lambda for each alternative of a variant.
template <class... Cases> struct Overloaded : Cases... { using Cases::operator()...; };
template <class... Cases> Overloaded(Cases...) -> Overloaded<Cases...>;

} // namespace sheetpush
