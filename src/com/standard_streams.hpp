#pragma once

#include <string_view>

namespace sheetpush::com {

// Text for whoever started the process: on its standard output or error stream when that goes
// to a file or a pipe (as UTF-8), else to the console of the program that started it. The server
// is a windowed program, and Windows gives such a program standard streams only when its starter
// redirects them; a console that starts it without redirection is still written to.
void writeOutput(std::wstring_view text);
void writeError(std::wstring_view text);

} // namespace sheetpush::com
