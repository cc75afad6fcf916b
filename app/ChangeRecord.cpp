#include "ChangeRecord.h"

#include "GameCore.h"

namespace quindra {

ChangeRecord::ChangeRecord(const GameCore& game) : game_(game) {
    rememberAll();
}

PixelRect ChangeRecord::placeOf(const Look& look) {
    const Values& v = look.values;
    const PixelRect place = toPixelRect(v.left, v.top, v.width, v.height);
    return look.caption ? captionArea(place, v.transparent) : shapeArea(place);
}

template <class F> void ChangeRecord::forEachElement(F&& f) const {
    const auto shape = [&f](const Shape& s) {
        f(Look{{s.Left, s.Top, s.Width, s.Height, s.BackColor, s.BorderColor, false, true},
               nullptr});
    };
    const auto label = [&f](const Label& l, bool shown) {
        f(Look{{l.Left, l.Top, l.Width, l.Height, l.BackColor, l.ForeColor, l.transparent, shown},
               &l.Caption});
    };
    shape(game_.Campo); // first: a new court colour repaints everything
    shape(game_.Racchetta_Blu);
    shape(game_.Racchetta_Rossa);
    label(game_.lblPuntoBlu, true);
    label(game_.Label1, true);
    label(game_.lblPuntoRosso, true);
    for (int i = 0; i < GameCore::setColumns; ++i) {
        const bool shown = game_.setColumnShown(i);
        label(game_.lblSet_Sin[static_cast<std::size_t>(i)], shown);
        label(game_.lblSet_Dest[static_cast<std::size_t>(i)], shown);
    }
    shape(game_.Pallina);
    label(game_.lblPausa, game_.paused());
}

bool ChangeRecord::Seen::sameAs(const Look& look) const {
    return values == look.values && (!look.caption || caption == *look.caption);
}

void ChangeRecord::Seen::remember(const Look& look) {
    values = look.values;
    caption = look.caption ? *look.caption : std::string();
    place = placeOf(look);
}

void ChangeRecord::rememberAll() {
    seen_.clear();
    forEachElement([this](const Look& look) { seen_.emplace_back().remember(look); });
}

const std::vector<PixelRect>& ChangeRecord::collect(const PixelRect& bounds) {
    // This runs at every tick and every key: elements are compared by the game's own
    // values, only one that changed is placed in pixels, and nothing is allocated.
    changed_.clear();
    const auto add = [this, &bounds](const PixelRect& r) {
        const PixelRect part = r.intersected(bounds);
        if (!part.empty())
            changed_.push_back(part);
    };
    bool everything = false;
    std::size_t i = 0;
    forEachElement([&](const Look& look) {
        Seen& was = seen_[i++];
        if (was.sameAs(look))
            return;
        if (i == 1)
            everything = true;
        const PixelRect wasPlace = was.place;
        const bool wasShown = was.values.shown;
        const bool shown = look.values.shown;
        was.remember(look);
        // Where it was, and where it is now: one rectangle when the two overlap, as they
        // do for a ball or a racquet on the move.
        if (wasShown && shown && wasPlace.intersects(was.place)) {
            add(wasPlace.united(was.place));
            return;
        }
        if (wasShown)
            add(wasPlace);
        if (shown)
            add(was.place);
    });
    if (everything) {
        changed_.clear();
        changed_.push_back(bounds);
    }
    return changed_;
}

} // namespace quindra
