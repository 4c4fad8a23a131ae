#include "transaction_log.hpp"

namespace standin {

namespace {

std::wstring escaped(std::wstring_view field) {
    std::wstring out;
    for (wchar_t c : field) {
        switch (c) {
        case L'\t':
            out += L"\\t";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'\n':
            out += L"\\n";
            break;
        case L'\\':
            out += L"\\\\";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

TransactionLog::TransactionLog(const std::wstring& path) {
    if (path.empty())
        return;
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    file_.reset(file);
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart == 0) {
        const wchar_t mark = 0xFEFF;
        DWORD written = 0;
        WriteFile(file, &mark, sizeof(mark), &written, nullptr);
    }
}

void TransactionLog::write(const Entry& entry) {
    if (!file_)
        return;
    std::wstring line = escaped(entry.conversation);
    for (auto field :
         {entry.kind, entry.topic, entry.item, entry.format, entry.outcome, entry.text})
        line += L"\t" + escaped(field);
    line += L"\r\n";
    DWORD written = 0;
    WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written,
              nullptr);
}

} // namespace standin
