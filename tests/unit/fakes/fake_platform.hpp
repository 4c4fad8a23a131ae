#pragma once

#include "platform/portable_formatting.hpp"
#include "vocabulary/error_numbers.hpp"
#include "window/window_platform.hpp"

#include <chrono>
#include <cstdint>
#include <deque>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sheetpush::fakes {

// Everything the in-memory partner saw, in order, across every conversation it served.
struct DdeStep {
    enum Kind { connect, poke, request } kind;
    std::u16string application;
    std::u16string topicOrItem;
    std::u16string text;
    std::chrono::milliseconds timeout{};
    friend bool operator==(const DdeStep&, const DdeStep&) = default;
};

// A step as a failed expectation shows it: its kind, names and text in UTF-8, and its wait.
void PrintTo(const DdeStep& step, std::ostream* out);

// Names as DDE compares them, for the ASCII letters the tests use.
bool sameName(std::u16string_view a, std::u16string_view b);

// An Excel that answers from memory: topics it knows, items it refuses, values to hand out.
struct FakeExcel {
    std::set<std::u16string> topics{u"ورقة1"};
    std::set<std::u16string> refusedItems;
    // The letters of its R1C1 items: an item that does not start with the first, or lacks the
    // second, is refused.
    std::u16string letters = u"RC";
    // Refuses every poke and still answers requests, as a protected sheet does.
    bool readOnly = false;
    // Characters its text format cannot carry: a poke whose whole holds one is not sent.
    std::u16string uncarried;
    std::map<std::u16string, std::u16string> cells;
    bool answers = true;
    std::vector<DdeStep> steps;
    // Its conversations as they opened and as their clients ended them: "+topic" and "-topic".
    std::vector<std::u16string> conversations;
    // The conversations open now, by number, with their topics.
    std::map<int, std::u16string> open;
    int opened = 0;

    // Ends every conversation on topic, as Excel does when its sheet is closed.
    void hangUp(std::u16string_view topic) {
        std::erase_if(open, [&](const auto& held) { return sameName(held.second, topic); });
    }
};

// Keeps its conversation open, as the real one does, for as long as the partner does.
class FakeConversation : public DdeConversation {
public:
    explicit FakeConversation(FakeExcel& excel) : excel_(excel) {}
    FakeConversation(const FakeConversation&) = delete;
    FakeConversation& operator=(const FakeConversation&) = delete;
    ~FakeConversation() override { end(); }

    Status connect(std::u16string_view application, std::u16string_view topic,
                   std::chrono::milliseconds timeout) override;
    bool isFor(std::u16string_view application, std::u16string_view topic) const override {
        return topic_ && application == u"Excel" && sameName(topic, *topic_);
    }

    Status pokePart(std::u16string_view item, std::u16string_view text, std::u16string_view whole,
                    std::chrono::milliseconds timeout) override {
        if (whole.find_first_of(excel_.uncarried) != std::u16string_view::npos)
            return error::invalidArgument(u"uncarried");
        excel_.steps.push_back(
            {DdeStep::poke, {}, std::u16string(item), std::u16string(text), timeout});
        if (auto refused = refusal(item); !refused.ok())
            return refused;
        if (excel_.readOnly)
            return error::ddeRefused(u"read-only: " + std::u16string(item));
        store(item, text);
        return {};
    }

    Result<std::u16string> request(std::u16string_view item,
                                   std::chrono::milliseconds timeout) override {
        excel_.steps.push_back({DdeStep::request, {}, std::u16string(item), {}, timeout});
        if (auto refused = refusal(item); !refused.ok())
            return refused.failure();
        return value(item);
    }

private:
    // A cell's value is kept under its item as it was named. A block item, "R2C3:R4C5", spreads
    // its text over the cells of the block, each kept as "R<row>C<column>", and is read back from
    // them, TAB between cells and CR LF after every row, unless a value is kept for the block
    // item itself.
    void store(std::u16string_view item, std::u16string_view text);
    std::u16string value(std::u16string_view item);

    bool isOpen() const { return number_ && excel_.open.contains(*number_); }
    void end();

    Status refusal(std::u16string_view item) const {
        if (!isOpen())
            return error::ddeNoConversation(u"no conversation");
        if (!excel_.answers)
            return error::ddeTimeout(u"timeout");
        if (excel_.refusedItems.contains(std::u16string(item)) ||
            !item.starts_with(excel_.letters[0]) ||
            item.find(excel_.letters[1]) == std::u16string_view::npos)
            return error::ddeRefused(u"refused: " + std::u16string(item));
        return {};
    }

    FakeExcel& excel_;
    std::optional<std::u16string> topic_;
    std::optional<int> number_;
};

struct ShownMessage {
    std::u16string prompt;
    std::u16string title;
    std::uint32_t flags = 0;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    void show(std::u16string_view prompt, std::u16string_view title, std::uint32_t flags) override {
        shown.push_back({std::u16string(prompt), std::u16string(title), flags});
    }
    std::vector<ShownMessage> shown;
};

// Answers each showing with the next queued choice; an empty queue cancels.
class FakeFileDialog : public FileDialog {
public:
    std::optional<std::u16string> showOpen(const OpenFileRequest& request) override {
        requests.push_back(request);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<std::u16string>> answers;
    std::vector<OpenFileRequest> requests;
};

// Folders and the file names in them; names compare without regard to case (ASCII).
class FakeFileList : public FileList {
public:
    Result<int> countMatching(std::u16string_view folder, std::u16string_view pattern) override;
    std::map<std::u16string, std::vector<std::u16string>> folders;
    std::vector<std::u16string> unreadable;
};

class FakeLauncher : public Launcher {
public:
    Result<std::uint32_t> run(std::u16string_view commandLine,
                              std::uint32_t showWindowMode) override {
        launches.push_back({std::u16string(commandLine), showWindowMode});
        if (!callable)
            return error::launcherUnavailable(u"launcher unavailable");
        return result;
    }
    struct Launch {
        std::u16string commandLine;
        std::uint32_t showWindowMode;
        friend bool operator==(const Launch&, const Launch&) = default;
    };
    std::vector<Launch> launches;
    std::uint32_t result = 33;
    bool callable = true;
};

class FakeSettingsStore : public SettingsStore {
public:
    std::optional<std::u16string> read(std::u16string_view application, std::u16string_view section,
                                       std::u16string_view key) override {
        auto found = entries.find(name(application, section, key));
        if (found == entries.end())
            return std::nullopt;
        return found->second;
    }
    std::optional<std::uint32_t> readNumber(std::u16string_view application,
                                            std::u16string_view section,
                                            std::u16string_view key) override {
        auto found = numbers.find(name(application, section, key));
        if (found == numbers.end())
            return std::nullopt;
        return found->second;
    }
    Status write(std::u16string_view application, std::u16string_view section,
                 std::u16string_view key, std::u16string_view value) override {
        writes.emplace_back(value);
        if (!writable)
            return error::pathFileAccess();
        entries[name(application, section, key)] = value;
        return {};
    }
    static std::u16string name(std::u16string_view application, std::u16string_view section,
                               std::u16string_view key) {
        return std::u16string(application) + u"/" + std::u16string(section) + u"/" +
               std::u16string(key);
    }
    std::map<std::u16string, std::u16string> entries;
    std::map<std::u16string, std::uint32_t> numbers;
    std::vector<std::u16string> writes;
    bool writable = true;
};

class FakePlatform : public WindowPlatform {
public:
    std::unique_ptr<DdeConversation> newConversation() override {
        return std::make_unique<FakeConversation>(excel);
    }
    MessageBoxes& messageBoxes() override { return messages; }
    FileDialog& fileDialog() override { return dialog; }
    FileList& fileList() override { return files; }
    Launcher& launcher() override { return launch; }
    SettingsStore& settings() override { return store; }
    VariantFormatting& formatting() override { return portable; }
    Trace trace() override { return {}; }
    std::unique_ptr<WindowView> newView(LinkWindow& /*window*/) override {
        ++windowsMade;
        return nullptr;
    }

    FakeExcel excel;
    FakeMessageBoxes messages;
    FakeFileDialog dialog;
    FakeFileList files;
    FakeLauncher launch;
    FakeSettingsStore store;
    PortableFormatting portable;
    int windowsMade = 0;
};

} // namespace sheetpush::fakes
