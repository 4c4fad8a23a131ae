#pragma once

#include "win32_base/raii.hpp"

#include <string>
#include <string_view>

namespace standin {

// One line per event, in UTF-8, written through at once so that a test can read it while the
// stand-in runs. Fields are separated by tabs:
//   conversation  kind  topic  item  format  outcome  text
// Kinds: ready, commandline, connect, refuse-topic, poke, request, ack, terminate. Tabs, line ends
// and backslashes inside a field are written as \t, \r, \n and \\.
class TransactionLog {
public:
    explicit TransactionLog(const std::wstring& path);

    struct Entry {
        std::wstring conversation;
        std::wstring_view kind;
        std::wstring_view topic;
        std::wstring_view item;
        std::wstring_view format;
        std::wstring_view outcome;
        std::wstring_view text;
    };
    void write(const Entry& entry);

private:
    sheetpush::win32::UniqueHandle file_;
};

} // namespace standin
