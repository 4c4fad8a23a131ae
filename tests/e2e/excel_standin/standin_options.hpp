#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace standin {

// How the stand-in behaves, from its command line:
//   /sheet:<name>      a sheet it serves (repeatable; default "ورقة1" and "Sheet1")
//   /letters:<row><column>
//                      the letters of its cell items, as an Excel in another language has them
//                      (/letters:LC French, /letters:ZS German; default RC): items in any other
//                      letters are unknown to it
//   /qualified:<workbook>
//                      names each sheet "[<workbook>]<sheet>" when it answers an initiation, and
//                      takes a sheet asked for in either form
//   /textonly          accepts CF_TEXT only and refuses CF_UNICODETEXT
//   /delay:<ms>        answers every transaction only after this delay
//   /stopafter:<n>     answers n transactions, then vanishes on the next without a word
//   /busy              answers every transaction with a busy acknowledgement
//   /strayack          follows every WM_DDE_DATA with an acknowledgement that answers nothing
//   /refusepokes       refuses every poke, as a protected sheet does, and still answers requests
//   /lockedfrom:<row>  refuses a poke into any item that reaches this row or a row below it, as
//                      a sheet whose rows from there on are locked does, and still answers
//                      requests
//   /ackreq            asks for an acknowledgement of every WM_DDE_DATA, and logs it
//   /anytopic          answers an initiation for any topic, naming its first sheet instead
//   /initiatedelay:<ms>
//                      takes this long over every initiation before it answers, as a program
//                      that hangs does
//   /log:<path>        the transaction log (else %SHEETPUSH_STANDIN_LOG%)
//   anything else      the workbook, as Excel is started on one
struct Options {
    std::vector<std::wstring> sheets;
    std::wstring letters = L"RC";
    std::optional<std::wstring> qualifiedBy;
    bool textOnly = false;
    DWORD delayMs = 0;
    std::optional<unsigned> stopAfter;
    bool busy = false;
    bool strayAck = false;
    bool refusePokes = false;
    std::optional<unsigned long> lockedFrom;
    bool ackReq = false;
    bool anyTopic = false;
    DWORD initiateDelayMs = 0;
    std::wstring logPath;
    std::optional<std::wstring> workbook;
};

Options parseOptions(const std::vector<std::wstring>& arguments);

} // namespace standin
