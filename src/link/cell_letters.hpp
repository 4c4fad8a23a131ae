#pragma once

#include "link/conversation_cache.hpp"
#include "platform/settings_store.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace sheetpush {

// The letters before a cell's row and its column number in an R1C1 item. Excel writes them in
// the language of its interface, and its DDE items follow: an Excel in French takes "L3C2" and
// refuses "R3C2".
struct CellLetters {
    char16_t row;
    char16_t column;
    friend bool operator==(const CellLetters&, const CellLetters&) = default;
};

// An item that names a cell ("R3C2") or a block ("R2C3:R4C6") in English letters, written in
// letters; nothing for any other item, such as "R0C0", which names no cell in any letters.
std::optional<std::u16string> itemInLetters(std::u16string_view item, CellLetters letters);

// The conversations of newConversation, each speaking the letters of the Excel it talks to. A
// cell item goes in the letters that last worked on the conversation, at first R and C; the
// per-user setting "CellLetters" (two letters, such as "ZS") names other letters to start with.
// While no transfer of a conversation has worked, a plain refusal of a cell is followed by
// requests for the same cell in each known pair of letters, sharing the transfer's wait; the pair
// that answers is the conversation's from then on, and the refused transfer is made again in
// it. A poke is never made in letters that have not answered.
ConversationFactory withExcelsLetters(ConversationFactory newConversation, SettingsStore& settings);

} // namespace sheetpush
