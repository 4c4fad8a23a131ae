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
    ExcelLink window{platform};

    void address(const std::u16string& row, const std::u16string& column,
                 const std::u16string& sheet = u"ورقة1") {
        window.Text3.setText(row);
        window.Text2.setText(column);
        window.Text4.setText(sheet);
    }
};

} // namespace sheetpush
