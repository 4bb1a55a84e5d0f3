// A picture in a memory device context: its pixels are the bits of a top-down 32-bit DIB
// section, so portable code draws into them directly, GDI writes text into the same
// memory, and one BitBlt puts the picture on the screen.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/Picture.h"

namespace ctl {

// The Windows form of a colour (COLORREF is 0x00BBGGRR) and back.
inline COLORREF toColorRef(Colour colour) {
    return RGB(redOf(colour), greenOf(colour), blueOf(colour));
}
inline Colour fromColorRef(COLORREF colour) {
    return rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

class OffscreenPicture {
public:
    OffscreenPicture() = default;
    ~OffscreenPicture() { release(); }
    OffscreenPicture(const OffscreenPicture&) = delete;
    OffscreenPicture& operator=(const OffscreenPicture&) = delete;

    // Makes the picture `width` x `height` pixels, compatible with `reference` (a window's
    // device context); false when the device context or the bitmap cannot be made. A
    // picture of that size already made is kept as it is.
    bool make(HDC reference, int width, int height);
    bool made() const { return picture_ != nullptr; }

    Picture& picture() { return *picture_; }
    HDC dc() const { return dc_; }
    // Copies the area `area` of the picture to the same place of `target`.
    void copyTo(HDC target, const RECT& area) const;

private:
    void release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    std::unique_ptr<Picture> picture_;
};

// Text drawn with GDI into an off-screen picture, in the font `font` (none: the device
// context's own).
class GdiTextPainter final : public TextPainter {
public:
    GdiTextPainter(const OffscreenPicture& target, HFONT font) : target_(target), font_(font) {}
    void drawCentred(const Rect& area, const std::string& text, Colour colour) override;

private:
    const OffscreenPicture& target_;
    HFONT font_;
};

}  // namespace ctl
