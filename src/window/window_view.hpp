#pragma once

namespace sheetpush {

class Spinner;
class TextBox;

// The platform window that shows a link window to a person. The link window tells it of every
// change of a field or spinner, whoever made it, once the change's own behaviour has run; a view
// that copies the text into its control and writes what the person types back with setText
// loops no further, since writing a field's own text again changes nothing.
class WindowView {
public:
    virtual ~WindowView() = default;
    // Gives the input focus to the window itself.
    virtual void takeFocus() = 0;
    // One of cellText, column, row, sheet and commandLine has a new text.
    virtual void textChanged(const TextBox& field) = 0;
    // columnSpinner or rowSpinner has a new value.
    virtual void valueChanged(const Spinner& spinner) = 0;
};

} // namespace sheetpush
