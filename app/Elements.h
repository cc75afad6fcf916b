#pragma once
// The drawn elements of the main window, in twips. Places and sizes are single
// precision, as the game stores them; every rule reads and writes them directly.
#include "Colours.h"

#include <string>

namespace quindra {

// A colour property looked up by its name ("BackColor", "ForeColor"), so the colour
// picker can recolour any element that has the property and skip one that has not.
class ColourTarget {
  public:
    virtual ~ColourTarget() = default;
    // Sets the named colour; false when the element has no such property.
    virtual bool setColourProperty(const std::string& name, Colour value) = 0;
};

enum class ShapeKind { Rectangle, Oval };

struct Shape : ColourTarget {
    ShapeKind kind = ShapeKind::Rectangle;
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    Colour BackColor = 0; // the fill, drawn opaque
    Colour BorderColor = 0;
    int BorderWidth = 1; // pixels

    // One move: the new place in a single step, size unchanged.
    void Move(float left, float top) {
        Left = left;
        Top = top;
    }

    bool setColourProperty(const std::string& name, Colour value) override;
};

struct Line {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    Colour BorderColor = colours::white;
    int BorderWidth = 4; // pixels
};

struct Label : ColourTarget {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    // The rules write captions from std::string values ("0"s), not from bare literals:
    // GCC 12 at -O3 gives a false -Wrestrict warning inside std::string for the latter.
    std::string Caption;
    Colour ForeColor = 0;
    Colour BackColor = colours::buttonFace;
    bool transparent = true;
    bool centred = false;   // the caption in the middle of the label, not at its top left
    double FontSize = 8.25; // points
    bool bold = true;
    std::string FontName = "MS Sans Serif";

    bool setColourProperty(const std::string& name, Colour value) override;
};

} // namespace quindra
