// Takes Excel's place at the Excel path for the tests that launch it: it starts and ends at
// once, so that no launched program outlives its test.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    return 0;
}
