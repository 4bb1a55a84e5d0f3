#include "controls/win32/OffscreenPicture.h"

namespace ctl {

bool OffscreenPicture::make(HDC reference, int width, int height) {
    if (picture_ && picture_->width() == width && picture_->height() == height) return true;
    release();
    if (width <= 0 || height <= 0) return false;
    dc_ = CreateCompatibleDC(reference);
    if (!dc_) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top down, as Picture keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_ || !bits) {
        release();
        return false;
    }
    previousBitmap_ = SelectObject(dc_, bitmap_);
    picture_ = std::make_unique<Picture>(width, height, static_cast<Colour*>(bits));
    return true;
}

void OffscreenPicture::copyTo(HDC target, const RECT& area) const {
    if (!dc_) return;
    // GDI may still hold drawing for the bitmap back; the copy must see all of it.
    GdiFlush();
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_,
           area.left, area.top, SRCCOPY);
}

void OffscreenPicture::release() {
    picture_.reset();
    if (dc_ && previousBitmap_) SelectObject(dc_, previousBitmap_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previousBitmap_ = nullptr;
}

void GdiTextPainter::drawCentred(const Rect& area, const std::string& text, Colour colour) {
    const HDC dc = target_.dc();
    if (!dc) return;
    const HGDIOBJ previousFont = font_ ? SelectObject(dc, font_) : nullptr;
    SetTextColor(dc, toColorRef(colour));
    SetBkMode(dc, TRANSPARENT);
    RECT box = {area.left, area.top, area.right, area.bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (previousFont) SelectObject(dc, previousFont);
    // Later drawing writes the pixels directly: GDI must be done with them first.
    GdiFlush();
}

}  // namespace ctl
