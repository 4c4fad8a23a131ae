#include "transaction_log.hpp"

#include "support/text.hpp"

#include <algorithm>
#include <iterator>
#include <utility>

namespace standin {

namespace {

constexpr std::pair<wchar_t, std::wstring_view> escapes[] = {
    {L'\t', L"\\t"}, {L'\r', L"\\r"}, {L'\n', L"\\n"}, {L'\\', L"\\\\"}};

std::wstring escaped(std::wstring_view field) {
    std::wstring out;
    for (wchar_t c : field) {
        auto escape = std::find_if(std::begin(escapes), std::end(escapes),
                                   [c](const auto& known) { return known.first == c; });
        if (escape == std::end(escapes))
            out += c;
        else
            out += escape->second;
    }
    return out;
}

} // namespace

TransactionLog::TransactionLog(const std::wstring& path) {
    if (path.empty())
        return;
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        file_.reset(file);
}

void TransactionLog::write(const Entry& entry) {
    if (!file_)
        return;
    std::wstring line = escaped(entry.conversation);
    for (auto field :
         {entry.kind, entry.topic, entry.item, entry.format, entry.outcome, entry.text})
        line += L"\t" + escaped(field);
    std::string bytes = e2e::utf8(line + L"\n");
    DWORD written = 0;
    WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace standin
