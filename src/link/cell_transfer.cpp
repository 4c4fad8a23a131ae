#include "link/cell_transfer.hpp"

#include "link/cell_reference.hpp"
#include "link/cell_text.hpp"
#include "link/link_steps.hpp"
#include "link/topic.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace sheetpush {

namespace {

// Continue-on-failure: a failed step only replaces the record, and the next step runs.
class FailureRecord {
public:
    void note(Status status) {
        if (!status.ok())
            last_ = std::move(status);
    }
    const Status& last() const { return last_; }

private:
    Status last_;
};

enum class Transfer { poke, request };

// What a poke sends, or the failure that stops either operation before the link is touched.
Result<std::u16string_view> checkedFields(const CellFields& fields, Transfer transfer) {
    if (auto sheet = checkSheetName(fields.sheet.text()); !sheet.ok())
        return sheet.failure();
    if (transfer == Transfer::request)
        return std::u16string_view{};
    return cellText(fields.cellText.text());
}

// The steps run in a fixed order: the item is set before the topic and the topic before the
// mode, so the conversation opened by the mode is on the new sheet and the transfer addresses
// the new cell.
bool transferCell(const CellFields& fields, const Messages& messages, Transfer transfer) {
    auto checked = checkedFields(fields, transfer);
    if (!checked.ok()) {
        showLinkFailure(messages, checked.failure());
        return false;
    }
    // The text as it was checked, whatever becomes of the field while the conversation opens.
    const std::u16string text(checked.value());
    FailureRecord failures;
    auto reference = buildCellReference(fields.row.text(), fields.column.text());
    failures.note(std::move(reference.parsed));
    auto& link = fields.cellText;
    link.linkTimeout = tenthsOf(transferTimeout);
    link.linkItem = std::move(reference.item);
    link.linkTopic = buildTopic(fields.sheet.text());
    failures.note(link.setLinkMode(LinkMode::manual));
    failures.note(transfer == Transfer::poke ? link.poke(text) : link.request());
    if (failures.last().ok())
        return true;
    showLinkFailure(messages, failures.last().failure());
    return false;
}

} // namespace

bool pokeCell(const CellFields& fields, const Messages& messages) {
    return transferCell(fields, messages, Transfer::poke);
}

bool requestCell(const CellFields& fields, const Messages& messages) {
    return transferCell(fields, messages, Transfer::request);
}

} // namespace sheetpush
