#pragma once
// The game's warning box: one OK button, and its text always shown as it is written,
// never read as markup, whatever it holds.
#include <QString>

class QWidget;

namespace quindra {

void warnPlainly(QWidget* parent, const QString& title, const QString& text);

} // namespace quindra
