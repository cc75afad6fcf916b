#include "CourtPainter.h"

#include "Text.h"
#include "app/Elements.h"

#include <algorithm>
#include <cmath>

namespace quindra::win32 {

COLORREF toColorRef(std::uint32_t colour) {
    // Both are 0x00BBGGRR.
    if (!isSystemColour(colour))
        return static_cast<COLORREF>(colour & 0x00FFFFFFu);
    // The score's boxes are white, as caption text is in the standard scheme: newer
    // Windows writes captions black on white title bars, and the dark digits would vanish.
    if (colour == colours::captionText)
        return RGB(255, 255, 255);
    return GetSysColor(static_cast<int>(systemColourIndex(colour)));
}

namespace {

RECT toRect(const PixelRect& r) {
    return {r.x, r.y, r.right(), r.bottom()};
}

} // namespace

CourtPainter::CourtPainter(const GameCore& game) : game_(game), changes_(game) {}

CourtPainter::~CourtPainter() {
    if (memory_) {
        SelectObject(memory_, oldBitmap_);
        DeleteDC(memory_);
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    for (const Font& f : fonts_)
        DeleteObject(f.handle);
}

void CourtPainter::resize(HDC screen, SIZE size, int dpi) {
    if (memory_) {
        SelectObject(memory_, oldBitmap_);
        DeleteDC(memory_);
        DeleteObject(bitmap_);
    }
    memory_ = CreateCompatibleDC(screen);
    bitmap_ =
        CreateCompatibleBitmap(screen, std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1));
    oldBitmap_ = SelectObject(memory_, bitmap_);
    size_ = size;
    dpi_ = dpi;
    whole_ = true;
}

std::vector<RECT> CourtPainter::update() {
    std::vector<RECT> where;
    const PixelRect bounds{0, 0, toPixels(clientAreaWidth), toPixels(clientAreaHeight)};
    const std::vector<PixelRect>& changed = changes_.collect(bounds);
    if (whole_) {
        changes_.rememberAll();
        where.push_back({0, 0, size_.cx, size_.cy});
        whole_ = false;
    } else {
        for (const PixelRect& r : changed)
            where.push_back(toRect(coverAt(r, dpi_)));
    }
    if (!where.empty())
        draw(where);
    return where;
}

void CourtPainter::show(HDC target, const RECT& where) const {
    BitBlt(target, where.left, where.top, where.right - where.left, where.bottom - where.top,
           memory_, where.left, where.top, SRCCOPY);
}

void CourtPainter::fillRect(const PixelRect& r, COLORREF colour) const {
    if (r.empty())
        return;
    const RECT rect = toRect(r);
    SetBkColor(memory_, colour);
    // An opaque text-less ExtTextOut fills with the background colour, no brush needed.
    ExtTextOutW(memory_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void CourtPainter::drawBall(const ScenePiece& piece) const {
    const Shape& s = *piece.ball;
    const PixelRect& r = piece.place;
    HPEN pen = CreatePen(PS_INSIDEFRAME, piece.border, toColorRef(s.BorderColor));
    HBRUSH brush = CreateSolidBrush(toColorRef(s.BackColor));
    HGDIOBJ oldPen = SelectObject(memory_, pen);
    HGDIOBJ oldBrush = SelectObject(memory_, brush);
    Ellipse(memory_, r.x, r.y, r.right(), r.bottom());
    SelectObject(memory_, oldBrush);
    SelectObject(memory_, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

HFONT CourtPainter::fontFor(const Label& l, int width) const {
    for (const Font& f : fonts_)
        if (f.size == l.FontSize && f.bold == l.bold && f.width == width && f.dpi == dpi_ &&
            f.name == l.FontName)
            return f.handle;
    const std::wstring face = widen(l.FontName);
    LOGFONTW font{};
    font.lfHeight = -scaledWidth(pointsToPixels(l.FontSize), dpi_);
    font.lfWidth = width;
    font.lfWeight = l.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    fonts_.push_back({l.FontName, l.FontSize, l.bold, width, dpi_, CreateFontIndirectW(&font)});
    return fonts_.back().handle;
}

// `room`: how far, in pixels at 96 dpi, the caption may reach before it meets its
// neighbour; 0 for no limit. A wider caption is drawn narrower, clear of the next column.
void CourtPainter::drawLabel(const ScenePiece& piece) const {
    const Label& l = *piece.label;
    const int room = piece.room;
    const PixelRect& r = piece.place;
    if (!l.transparent)
        fillRect(r, toColorRef(l.BackColor));
    const std::wstring text = widen(l.Caption);
    HGDIOBJ old = SelectObject(memory_, fontFor(l, 0));
    SIZE extent{};
    GetTextExtentPoint32W(memory_, text.c_str(), static_cast<int>(text.size()), &extent);
    const int limit = scaledWidth(room, dpi_);
    if (room > 0 && extent.cx > limit) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(memory_, &metrics);
        const int narrower = std::max<int>(1, metrics.tmAveCharWidth * limit / extent.cx);
        SelectObject(memory_, fontFor(l, narrower));
    }
    SetTextColor(memory_, toColorRef(l.ForeColor));
    SetBkMode(memory_, TRANSPARENT);
    RECT rect = toRect(r);
    UINT format = DT_NOPREFIX | DT_SINGLELINE;
    if (l.centred)
        format |= DT_CENTER | DT_VCENTER;
    if (l.transparent && !l.centred)
        format |= DT_NOCLIP;
    DrawTextW(memory_, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SelectObject(memory_, old);
}

void CourtPainter::draw(const std::vector<RECT>& where) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : where) {
        HRGN part = CreateRectRgnIndirect(&r);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    SelectClipRgn(memory_, region);
    DeleteObject(region);

    courtScene(game_, dpi_, scene_);
    for (const ScenePiece& piece : scene_) {
        switch (piece.kind) {
        case ScenePiece::Kind::Fill:
            fillRect(piece.place, toColorRef(piece.colour));
            break;
        case ScenePiece::Kind::Caption:
            drawLabel(piece);
            break;
        case ScenePiece::Kind::Ball:
            drawBall(piece);
            break;
        }
    }
    SelectClipRgn(memory_, nullptr);
}

} // namespace quindra::win32
