#include "Elements.h"

namespace quindra {

bool Shape::setColourProperty(const std::string& name, Colour value) {
    if (name == "BackColor") {
        BackColor = value;
        return true;
    }
    return false;
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

} // namespace quindra
