#pragma once

#include "controls/text_box.hpp"
#include "platform/platform.hpp"
#include "vocabulary/result.hpp"
#include "vocabulary/variant.hpp"

#include <initializer_list>
#include <string>
#include <vector>

namespace sheetpush {

// An argument of an automation call and the link window's field its text goes into; none for an
// argument that no field holds.
struct FieldWrite {
    const Variant& argument;
    TextBox* field;
};

// The arguments' texts in order, each written into its field once every one is converted.
// Converting an object asks its client for the default value, and while the server waits another
// call can come in and use the same fields; once the writes start, nothing lets a call in until
// the transfer has run. A failing conversion still leaves the fields before it written and those
// after it untouched. The trace shows the call: method and the texts converted.
Result<std::vector<std::u16string>> writeFields(std::u16string_view method,
                                                std::initializer_list<FieldWrite> writes,
                                                Platform& platform);

} // namespace sheetpush
