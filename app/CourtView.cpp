#include "CourtView.h"

#include "GameCore.h"
#include "Twips.h"

#include <QPainter>

namespace quindra {

namespace {

void drawShape(QPainter& p, const Shape& s, const QPalette& palette) {
    const QRect rect = toPixelRect(s.Left, s.Top, s.Width, s.Height);
    // The outline lies inside the shape, as wide as its border.
    const qreal inset = s.BorderWidth / 2.0;
    const QRectF outline = QRectF(rect).adjusted(inset, inset, -inset, -inset);
    p.setPen(QPen(toQColor(s.BorderColor, palette), s.BorderWidth, Qt::SolidLine, Qt::SquareCap,
                  Qt::MiterJoin));
    p.setBrush(toQColor(s.BackColor, palette));
    if (s.kind == ShapeKind::Oval) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawEllipse(outline);
        p.setRenderHint(QPainter::Antialiasing, false);
    } else {
        p.drawRect(outline);
    }
}

void drawLine(QPainter& p, const Line& l, const QPalette& palette) {
    p.setPen(QPen(toQColor(l.BorderColor, palette), l.BorderWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(l.X1 / twipsPerPixel, l.Y1 / twipsPerPixel),
               QPointF(l.X2 / twipsPerPixel, l.Y2 / twipsPerPixel));
}

void drawLabel(QPainter& p, const Label& l, const QPalette& palette) {
    const QRect rect = toPixelRect(l.Left, l.Top, l.Width, l.Height);
    if (!l.transparent)
        p.fillRect(rect, toQColor(l.BackColor, palette));
    p.setPen(toQColor(l.ForeColor, palette));
    p.setFont(gameFont(QString::fromStdString(l.FontName), l.FontSize, l.bold));
    p.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QString::fromStdString(l.Caption));
}

} // namespace

CourtView::CourtView(const GameCore& game, QWidget* parent) : QWidget(parent), game_(game) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CourtView::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), toQColor(colours::buttonFace, pal));

    drawShape(p, game_.Campo, pal);
    for (const Line& l : game_.lines)
        drawLine(p, l, pal);
    drawShape(p, game_.Racchetta_Blu, pal);
    drawShape(p, game_.Racchetta_Rossa, pal);
    drawLabel(p, game_.lblPuntoBlu, pal);
    drawLabel(p, game_.Label1, pal);
    drawLabel(p, game_.lblPuntoRosso, pal);
    for (int i = 0; i < GameCore::setColumns; ++i) {
        if (!game_.setColumnShown(i))
            continue;
        drawLabel(p, game_.lblSet_Sin[static_cast<std::size_t>(i)], pal);
        drawLabel(p, game_.lblSet_Dest[static_cast<std::size_t>(i)], pal);
    }
    drawShape(p, game_.Pallina, pal);
}

} // namespace quindra
