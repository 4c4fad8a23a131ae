#pragma once

#include "support/checks.hpp"

namespace e2e {

// Class ExcelTable as a C++ client meets it, against a stand-in that serves "Sheet1" with its
// rows from 3500 on locked: tables written and read back whole, refusals, and a table whose
// later band is refused, the rows that landed printed as "landed <n>".
void checkTables(Checks& checks);

} // namespace e2e
