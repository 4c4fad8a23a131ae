#include "fakes/fake_platform.hpp"
#include "launch/workbook_launch.hpp"
#include "window/link_window.hpp"
#include "window/window_view.hpp"

#include <gtest/gtest.h>

#include <ostream>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sheetpush {
namespace {

const std::u16string defaultPath = u"C:\\program files\\microsoft office\\office\\Excel.exe";
// The default path holds blanks: the command line quotes it.
const std::u16string quotedDefaultPath = u"\"" + defaultPath + u"\"";
const std::u16string initialCommandLine = u"c:\\program files\\microsoft office\\office\\Excel.exe";
const fakes::ShownMessage launchFailure{u"لم أستطع تشغيل الملف", u"الطباعة إلى أكسل", 0x180040};

using Launch = fakes::FakeLauncher::Launch;

class WorkbookLaunch : public ::testing::Test {
protected:
    WorkbookLaunch() {
        platform.files.folders[u"C:\\program files\\microsoft office\\office"] = {u"Excel.exe"};
    }

    bool launchWorkbook(const Variant& XLS, std::int32_t ExcelShow) {
        return sheetpush::launchWorkbook(
            {window.excelFinder, window.excelDialog, window.commandLine}, platform, XLS, ExcelShow);
    }

    fakes::FakePlatform platform;
    LinkWindow window{platform};
};

struct CommandLineCase {
    const char* name;
    Variant XLS;
    std::u16string workbookPart;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
    *os << c.name;
}

const Variant namedBook = u"D:\\Books\\Sales.xls";
const Variant nullBook = Null{};

class Cell : public AutomationObject {
public:
    explicit Cell(Variant value) : value_(std::move(value)) {}
    Result<Variant> defaultValue() override { return value_; }

private:
    Variant value_;
};

std::shared_ptr<AutomationObject> cellHolding(Variant value) {
    return std::make_shared<Cell>(std::move(value));
}

class CommandLine : public WorkbookLaunch, public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(CommandLine, IsTheQuotedExcelPathABlankAndTheWorkbookAsGiven) {
    const auto& c = GetParam();
    const auto expected = quotedDefaultPath + u" " + c.workbookPart;
    EXPECT_TRUE(launchWorkbook(c.XLS, 1));
    EXPECT_EQ(window.commandLine.text(), expected);
    EXPECT_EQ(platform.launch.launches, (std::vector<Launch>{Launch{expected, 1}}));
    EXPECT_TRUE(platform.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Workbooks, CommandLine,
    ::testing::Values(CommandLineCase{"path", namedBook, u"D:\\Books\\Sales.xls"},
                      CommandLineCase{"blanks", u"D:\\My Books\\a.xls", u"D:\\My Books\\a.xls"},
                      CommandLineCase{"quoted", u"\"x.xls\"", u"\"x.xls\""},
                      CommandLineCase{"empty", Variant{}, u""},
                      CommandLineCase{"null", nullBook, u""},
                      CommandLineCase{"number", std::int32_t{5}, u"5"},
                      CommandLineCase{"reference", VariantRef{&namedBook}, u"D:\\Books\\Sales.xls"},
                      CommandLineCase{"referenceToNull", VariantRef{&nullBook}, u""},
                      CommandLineCase{"object", cellHolding(u"obj.xls"), u"obj.xls"},
                      CommandLineCase{"objectHoldingNull", cellHolding(Null{}), u""}),
    [](const auto& info) { return info.param.name; });

struct LauncherCase {
    const char* name;
    std::uint32_t result;
    bool started;
};

void PrintTo(const LauncherCase& c, std::ostream* os) {
    *os << c.name;
}

class LauncherResult : public WorkbookLaunch, public ::testing::WithParamInterface<LauncherCase> {};

// Every result below 32 is a failure that the person is told of, not only "file not found".
TEST_P(LauncherResult, BelowThirtyTwoIsAReportedFailure) {
    const auto& c = GetParam();
    platform.launch.result = c.result;
    EXPECT_EQ(launchWorkbook(namedBook, 7), c.started);
    EXPECT_EQ(platform.launch.launches.size(), 1u);
    EXPECT_EQ(platform.messages.shown, c.started ? std::vector<fakes::ShownMessage>{}
                                                 : std::vector<fakes::ShownMessage>{launchFailure});
}

INSTANTIATE_TEST_SUITE_P(Results, LauncherResult,
                         ::testing::Values(LauncherCase{"fileNotFound", 2, false},
                                           LauncherCase{"outOfResources", 0, false},
                                           LauncherCase{"pathNotFound", 3, false},
                                           LauncherCase{"badFormat", 11, false},
                                           LauncherCase{"highestFailure", 31, false},
                                           LauncherCase{"lowestStart", 32, true},
                                           LauncherCase{"started", 33, true}),
                         [](const auto& info) { return info.param.name; });

TEST_F(WorkbookLaunch, ShowWindowModeIsHandedOnUnchecked) {
    EXPECT_TRUE(launchWorkbook(namedBook, -1));
    EXPECT_EQ(platform.launch.launches.at(0).showWindowMode, 0xFFFFFFFFu);
}

TEST_F(WorkbookLaunch, LauncherThatCannotBeCalledIsAReportedFailure) {
    platform.launch.callable = false;
    EXPECT_FALSE(launchWorkbook(namedBook, 1));
    EXPECT_EQ(platform.messages.shown, std::vector<fakes::ShownMessage>{launchFailure});
}

// The command line of the earlier call is still in the field; launching it would start a
// workbook the caller did not ask for.
TEST_F(WorkbookLaunch, WorkbookWithoutAStringFormLaunchesNothing) {
    ASSERT_TRUE(launchWorkbook(namedBook, 1));
    EXPECT_FALSE(launchWorkbook(Array{{{0, 1}}, {Variant{u"x"}}}, 1));
    EXPECT_EQ(platform.launch.launches.size(), 1u);
    EXPECT_EQ(window.commandLine.text(), quotedDefaultPath + u" D:\\Books\\Sales.xls");
    EXPECT_EQ(platform.messages.shown, std::vector<fakes::ShownMessage>{launchFailure});
}

TEST_F(WorkbookLaunch, CancelledDiscoveryEndsSilently) {
    platform.files.folders.clear();
    EXPECT_FALSE(launchWorkbook(namedBook, 1));
    EXPECT_EQ(platform.dialog.requests.size(), 1u);
    EXPECT_EQ(window.commandLine.text(), initialCommandLine);
    EXPECT_TRUE(platform.launch.launches.empty());
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_TRUE(platform.store.writes.empty());
}

// A path without blanks needs no quotes, and gets none.
TEST_F(WorkbookLaunch, ExcelChosenInTheDialogStartsTheCommandLine) {
    platform.files.folders = {{u"E:\\Apps\\Office", {u"Excel.exe"}}};
    platform.dialog.answers = {u"E:\\Apps\\Office\\Excel.exe"};
    EXPECT_TRUE(launchWorkbook(u"book.xls", 1));
    EXPECT_EQ(window.commandLine.text(), u"E:\\Apps\\Office\\Excel.exe book.xls");
    EXPECT_EQ(platform.store.writes, std::vector<std::u16string>{u"E:\\Apps\\Office\\Excel.exe"});
}

// Notes when the window took the focus: before or after the launch failure message.
class FocusView : public WindowView {
public:
    explicit FocusView(const fakes::FakeMessageBoxes& messages) : messages_(messages) {}
    void takeFocus() override { messagesAtFocus.push_back(messages_.shown.size()); }
    void textChanged(const TextBox&) override {}
    void valueChanged(const Spinner&) override {}
    std::vector<std::size_t> messagesAtFocus;

private:
    const fakes::FakeMessageBoxes& messages_;
};

TEST_F(WorkbookLaunch, RunLaunchesTheFieldMaximizedThenTakesTheFocus) {
    FocusView view(platform.messages);
    window.setView(&view);
    window.onRunClick();
    EXPECT_EQ(platform.launch.launches, (std::vector<Launch>{Launch{initialCommandLine, 3}}));
    EXPECT_EQ(view.messagesAtFocus, std::vector<std::size_t>{0});
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_TRUE(platform.store.writes.empty());

    ASSERT_TRUE(launchWorkbook(namedBook, 1));
    window.onRunClick();
    EXPECT_EQ(platform.launch.launches.back(), (Launch{window.commandLine.text(), 3}));
}

TEST_F(WorkbookLaunch, RunReportsAFailedLaunchAfterTakingTheFocus) {
    FocusView view(platform.messages);
    window.setView(&view);
    for (const bool callable : {true, false}) {
        platform.launch.result = 2;
        platform.launch.callable = callable;
        window.onRunClick();
    }
    EXPECT_EQ(view.messagesAtFocus, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(platform.messages.shown,
              (std::vector<fakes::ShownMessage>{launchFailure, launchFailure}));
    EXPECT_EQ(window.commandLine.text(), initialCommandLine);
}

TEST_F(WorkbookLaunch, RunWithoutAViewStillLaunches) {
    platform.launch.result = 11;
    window.onRunClick();
    EXPECT_EQ(platform.launch.launches.size(), 1u);
    EXPECT_EQ(platform.messages.shown, std::vector<fakes::ShownMessage>{launchFailure});
}

} // namespace
} // namespace sheetpush
