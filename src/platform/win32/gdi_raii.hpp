#pragma once

#include "platform/win32/raii.hpp"

#include <windows.h>

namespace sheetpush::win32 {

struct IconTraits {
    using Value = HICON;
    static HICON none() { return nullptr; }
    static void close(HICON icon) { DestroyIcon(icon); }
};

struct GdiObjectTraits {
    using Value = HGDIOBJ;
    static HGDIOBJ none() { return nullptr; }
    static void close(HGDIOBJ object) { DeleteObject(object); }
};

struct ScreenDcTraits {
    using Value = HDC;
    static HDC none() { return nullptr; }
    static void close(HDC dc) { ReleaseDC(nullptr, dc); }
};

using UniqueIcon = UniqueResource<IconTraits>;
// A pen, brush, font or bitmap of one's own; stock objects are never put in one.
using UniqueGdiObject = UniqueResource<GdiObjectTraits>;
// The device context of the whole screen, from GetDC(nullptr).
using UniqueScreenDc = UniqueResource<ScreenDcTraits>;

} // namespace sheetpush::win32
