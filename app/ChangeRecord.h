#pragma once
// What changed on the court since it was last painted, so that after a tick, a key or a
// command only those places are painted again. It remembers each element as it was last
// marked for painting, by the game's own values, and where it was, in pixels.
#include "Layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quindra {

class GameCore;

class ChangeRecord {
  public:
    explicit ChangeRecord(const GameCore& game);

    // Everything as it is now is on screen: a whole paint has shown it.
    void rememberAll();
    // The places that changed since the last call, within `bounds`: none, a few, or all
    // of `bounds` when the court itself changed. Allocates nothing once warm.
    const std::vector<PixelRect>& collect(const PixelRect& bounds);

  private:
    // What an element is drawn from, straight from the game, in twips; its caption aside.
    struct Values {
        float left = 0, top = 0, width = 0, height = 0;
        std::uint32_t fill = 0;
        std::uint32_t text = 0; // a label's text, a shape's border
        bool transparent = false;
        bool shown = true;
        bool operator==(const Values&) const = default;
    };
    // How one element looks now.
    struct Look {
        Values values;
        const std::string* caption = nullptr; // labels only
    };
    // What one element looked like when it was last marked for painting, and where.
    struct Seen {
        Values values;
        std::string caption;
        PixelRect place;
        bool sameAs(const Look& look) const;
        void remember(const Look& look);
    };

    static PixelRect placeOf(const Look& look);
    // Calls `f(Look)` for each element, bottom to top, the court first.
    template <class F> void forEachElement(F&& f) const;

    const GameCore& game_;
    std::vector<Seen> seen_; // one per element, in drawing order
    std::vector<PixelRect> changed_;
};

} // namespace quindra
