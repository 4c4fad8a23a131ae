#pragma once

#include "fakes/fake_platform.hpp"
#include "window/link_window.hpp"

#include <gtest/gtest.h>

#include <string>

namespace sheetpush {

// A link window on the fake platform, and the fields a transfer reads: the row, the column and
// the sheet.
class LinkWindowTest : public ::testing::Test {
protected:
    fakes::FakePlatform platform;
    LinkWindow window{platform};

    void address(const std::u16string& row, const std::u16string& column,
                 const std::u16string& sheet = u"ورقة1") {
        window.row.setText(row);
        window.column.setText(column);
        window.sheet.setText(sheet);
    }
};

} // namespace sheetpush
