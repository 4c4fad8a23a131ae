#include "server/start_up.hpp"

#include "fakes/fake_platform.hpp"

#include <gtest/gtest.h>

#include <string>

namespace sheetpush {
namespace {

const std::u16string defaultPath = u"C:\\program files\\microsoft office\\office\\Excel.exe";
const std::u16string defaultFolder = u"C:\\program files\\microsoft office\\office";
const std::u16string entry = u"Orvand/Sheetpush/ExcelPath";

TEST(StartUp, TheCheckConfirmsOnAPrivateWindowAndStaysQuiet) {
    fakes::FakePlatform platform;
    platform.files.folders[defaultFolder] = {u"excel.exe"};
    checkExcelPathAtStartUp(platform);
    EXPECT_EQ(platform.store.entries[entry], defaultPath);
    EXPECT_EQ(platform.windowsMade, 1);

    fakes::FakePlatform bare;
    checkExcelPathAtStartUp(bare);
    EXPECT_EQ(bare.dialog.requests.size(), 1u);
    EXPECT_TRUE(bare.store.entries.empty());
    EXPECT_TRUE(bare.messages.shown.empty());
    EXPECT_TRUE(bare.launch.launches.empty());
}

} // namespace
} // namespace sheetpush
