#include "Elements.h"

namespace quindra {

bool Shape::setColourProperty(const std::string& name, Colour value) {
    if (name == "BackColor") {
        BackColor = value;
        return true;
    }
    if (name == "BorderColor") {
        BorderColor = value;
        return true;
    }
    return false;
}

std::optional<Colour> Shape::colourProperty(const std::string& name) const {
    if (name == "BackColor")
        return BackColor;
    if (name == "BorderColor")
        return BorderColor;
    return std::nullopt;
}

bool Label::setColourProperty(const std::string& name, Colour value) {
    if (name == "BackColor") {
        BackColor = value;
        return true;
    }
    if (name == "ForeColor") {
        ForeColor = value;
        return true;
    }
    return false;
}

std::optional<Colour> Label::colourProperty(const std::string& name) const {
    if (name == "BackColor")
        return BackColor;
    if (name == "ForeColor")
        return ForeColor;
    return std::nullopt;
}

} // namespace quindra
