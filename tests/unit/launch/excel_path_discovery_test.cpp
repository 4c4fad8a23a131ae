#include "fakes/fake_platform.hpp"
#include "launch/excel_path_discovery.hpp"
#include "window/link_window.hpp"

#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <string>
#include <vector>

namespace sheetpush {
namespace {

const std::u16string defaultPath = u"C:\\program files\\microsoft office\\office\\Excel.exe";
const std::u16string defaultFolder = u"C:\\program files\\microsoft office\\office";
const std::u16string entry = u"Orvand/Sheetpush/ExcelPath";

class Discovery : public ::testing::Test {
protected:
    std::optional<std::u16string> discover() {
        return discoverExcelPath(window.excelFinder, window.excelDialog, platform.store);
    }
    void store(std::u16string path) { platform.store.entries[entry] = std::move(path); }
    void install(const std::u16string& folder, std::u16string name = u"Excel.exe") {
        platform.files.folders[folder].push_back(std::move(name));
    }
    void expectExcelDialog(std::size_t showing) {
        ASSERT_GT(platform.dialog.requests.size(), showing);
        const auto& shown = platform.dialog.requests[showing];
        EXPECT_EQ(shown.title, u"حدد مسار برنامج الأكسل");
        EXPECT_EQ(shown.fileName, u"Excel.exe");
        EXPECT_EQ(shown.filter, u"برنامج الأكسل|Excel.exe");
        EXPECT_EQ(shown.maxFileSize, 260u);
    }

    fakes::FakePlatform platform;
    LinkWindow window{platform};
};

struct StoredCase {
    const char* name;
    std::optional<std::u16string> stored;
    std::vector<std::pair<std::u16string, std::u16string>> files;
    bool asks;
};

void PrintTo(const StoredCase& c, std::ostream* os) {
    *os << c.name;
}

class StoredPath : public Discovery, public ::testing::WithParamInterface<StoredCase> {};

// Every case cancels the dialog, so a confirmed path is the one that needed no asking.
TEST_P(StoredPath, IsConfirmedWithoutAskingOnlyWhenItsFolderHoldsExcel) {
    const auto& c = GetParam();
    if (c.stored)
        store(*c.stored);
    for (const auto& [folder, name] : c.files)
        install(folder, name);
    platform.files.unreadable.push_back(u"U:\\Locked");

    const auto confirmed = discover();

    if (c.asks) {
        EXPECT_FALSE(confirmed);
        expectExcelDialog(0);
        EXPECT_TRUE(platform.store.writes.empty());
    } else {
        const auto expected = c.stored.value_or(defaultPath);
        EXPECT_EQ(confirmed, expected);
        EXPECT_TRUE(platform.dialog.requests.empty());
        EXPECT_EQ(platform.store.writes, std::vector<std::u16string>{expected});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredPath,
    ::testing::Values(
        StoredCase{
            "nothingStoredDefaultPresent", std::nullopt, {{defaultFolder, u"Excel.exe"}}, false},
        StoredCase{"nothingStoredNothingThere", std::nullopt, {}, true},
        StoredCase{"storedFolderHoldsExcel",
                   u"D:\\Office\\Excel.exe",
                   {{u"D:\\Office", u"Excel.exe"}},
                   false},
        StoredCase{
            "letterCaseIgnored", u"D:\\OFFICE\\EXCEL.EXE", {{u"D:\\Office", u"excel.exe"}}, false},
        StoredCase{"fileNamePartNeverCompared",
                   u"D:\\Office\\Other.exe",
                   {{u"D:\\Office", u"Excel.exe"}},
                   false},
        StoredCase{"cutByCountAlone", u"D\\Excel.exe", {{u"D", u"Excel.exe"}}, false},
        StoredCase{
            "folderWithoutExcel", u"D:\\Office\\Excel.exe", {{u"D:\\Office", u"Word.exe"}}, true},
        StoredCase{
            "folderMissing", u"Z:\\Nowhere\\Excel.exe", {{defaultFolder, u"Excel.exe"}}, true},
        StoredCase{
            "folderUnreadable", u"U:\\Locked\\Excel.exe", {{u"U:\\Locked", u"Excel.exe"}}, true},
        StoredCase{
            "emptyStringStored", u"", {{defaultFolder, u"Excel.exe"}, {u"", u"Excel.exe"}}, true},
        StoredCase{"tenCharacters", u"D:\\Excel.x", {{u"", u"Excel.exe"}}, true},
        StoredCase{"shorterThanTen", u"Excel.exe", {{u"", u"Excel.exe"}}, true}),
    [](const auto& info) { return info.param.name; });

TEST_F(Discovery, ChosenExcelIsTestedLikeAStoredOneAndStored) {
    store(u"Z:\\Nowhere\\Excel.exe");
    install(u"E:\\Apps\\Office");
    platform.dialog.answers = {u"E:\\Apps\\Office\\Excel.exe"};

    EXPECT_EQ(discover(), u"E:\\Apps\\Office\\Excel.exe");
    expectExcelDialog(0);
    EXPECT_EQ(platform.dialog.requests.size(), 1u);
    EXPECT_EQ(platform.store.writes, std::vector<std::u16string>{u"E:\\Apps\\Office\\Excel.exe"});
}

// The dialog would have confirmed Excel; run unattended, it is not shown at all.
TEST_F(Discovery, RunUnattendedItAsksNobodyAndConfirmsNothing) {
    platform.store.numbers[u"Orvand/Sheetpush/Unattended"] = 1;
    store(u"Z:\\Nowhere\\Excel.exe");
    install(defaultFolder);
    platform.dialog.answers = {defaultPath};

    EXPECT_FALSE(discover());
    EXPECT_TRUE(platform.dialog.requests.empty());
    EXPECT_TRUE(platform.store.writes.empty());
}

TEST_F(Discovery, AWronglyNamedChoiceBringsTheDialogBackAfreshUntilCancelled) {
    install(u"E:\\Apps\\Office");
    platform.dialog.answers = {u"E:\\Apps\\Office\\xl.exe", u"E:\\Apps\\Office\\xl.exe"};

    EXPECT_FALSE(discover());
    ASSERT_EQ(platform.dialog.requests.size(), 3u);
    for (std::size_t showing = 0; showing < 3; ++showing)
        expectExcelDialog(showing);
    EXPECT_TRUE(platform.store.writes.empty());
    EXPECT_TRUE(platform.store.entries.empty());
}

// The person puts Excel.exe into the folder of the pass before while the dialog is open.
class InstallingDialog : public FileDialog {
public:
    InstallingDialog(fakes::FakeFileList& files, std::u16string folder)
        : files_(files), folder_(std::move(folder)) {}
    std::optional<std::u16string> showOpen(const OpenFileRequest&) override {
        files_.folders[folder_].push_back(u"Excel.exe");
        return u"Q:\\a.exe";
    }

private:
    fakes::FakeFileList& files_;
    std::u16string folder_;
};

class PlatformWithDialog : public fakes::FakePlatform {
public:
    FileDialog& fileDialog() override { return installing; }
    InstallingDialog installing{files, u"Z:\\Nowhere"};
};

TEST(DiscoveryCut, AChosenPathShorterThanTheCutKeepsTheFolderOfThePassBefore) {
    PlatformWithDialog platform;
    platform.store.entries[entry] = u"Z:\\Nowhere\\Excel.exe";
    LinkWindow window(platform);
    EXPECT_EQ(discoverExcelPath(window.excelFinder, window.excelDialog, platform.store),
              u"Q:\\a.exe");
    EXPECT_EQ(platform.store.entries[entry], u"Q:\\a.exe");
}

TEST_F(Discovery, WritesAfterEverySuccessfulCheckAndIgnoresAFailedWrite) {
    install(defaultFolder);
    EXPECT_EQ(discover(), defaultPath);
    EXPECT_EQ(discover(), defaultPath);
    EXPECT_EQ(platform.store.writes.size(), 2u);

    platform.store.writable = false;
    platform.store.entries.clear();
    EXPECT_EQ(discover(), defaultPath);
    EXPECT_EQ(platform.store.writes.size(), 3u);
    EXPECT_TRUE(platform.dialog.requests.empty());
}

} // namespace
} // namespace sheetpush
