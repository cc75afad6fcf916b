#include "CourtPainter.h"

#include "Text.h"
#include "app/GameCore.h"

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

PixelRect CourtPainter::place(double left, double top, double width, double height) const {
    return toPixelRectAt(left, top, width, height, dpi_);
}

void CourtPainter::fillRect(const PixelRect& r, COLORREF colour) const {
    if (r.empty())
        return;
    const RECT rect = toRect(r);
    SetBkColor(memory_, colour);
    // An opaque text-less ExtTextOut fills with the background colour, no brush needed.
    ExtTextOutW(memory_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// The outline lies inside the shape, as wide as its border, the inside over it.
void CourtPainter::drawRectangle(const Shape& s) const {
    const PixelRect r = place(s.Left, s.Top, s.Width, s.Height);
    const int w = scaledWidth(s.BorderWidth, dpi_);
    fillRect(r, toColorRef(s.BorderColor));
    fillRect(r.grown(-w, -w, -w, -w), toColorRef(s.BackColor));
}

// The court's lines run along the axes: each is a band of its width around its ends.
void CourtPainter::drawLine(const Line& l) const {
    const double half = l.BorderWidth * twipsPerPixel / 2.0;
    const double left = std::min(l.X1, l.X2), top = std::min(l.Y1, l.Y2);
    const double width = std::abs(l.X2 - l.X1), height = std::abs(l.Y2 - l.Y1);
    PixelRect band;
    if (l.X1 == l.X2)
        band = place(left - half, top, 2 * half, height);
    else if (l.Y1 == l.Y2)
        band = place(left, top - half, width, 2 * half);
    fillRect(band, toColorRef(l.BorderColor));
}

void CourtPainter::drawBall(const Shape& s) const {
    const PixelRect r = place(s.Left, s.Top, s.Width, s.Height);
    HPEN pen =
        CreatePen(PS_INSIDEFRAME, scaledWidth(s.BorderWidth, dpi_), toColorRef(s.BorderColor));
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
void CourtPainter::drawLabel(const Label& l, int room) const {
    const PixelRect r = place(l.Left, l.Top, l.Width, l.Height);
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

    fillRect({0, 0, size_.cx, size_.cy}, toColorRef(colours::buttonFace)); // the strip below
    drawRectangle(game_.Campo);
    for (const Line& l : game_.lines)
        drawLine(l);
    drawRectangle(game_.Racchetta_Blu);
    drawRectangle(game_.Racchetta_Rossa);
    for (const Label* l : {&game_.lblPuntoBlu, &game_.Label1, &game_.lblPuntoRosso})
        drawLabel(*l, 0);
    for (int i = 0; i < GameCore::setColumns; ++i) {
        if (!game_.setColumnShown(i))
            continue;
        drawLabel(game_.lblSet_Sin[static_cast<std::size_t>(i)], setCaptionRoom);
        drawLabel(game_.lblSet_Dest[static_cast<std::size_t>(i)], setCaptionRoom);
    }
    drawBall(game_.Pallina);
    if (game_.paused())
        drawLabel(game_.lblPausa, 0);
    SelectClipRgn(memory_, nullptr);
}

} // namespace quindra::win32
