#pragma once
// Controls of the secondary windows, placed by their twips geometry in the classic
// 8-point dialog font that geometry was measured for.
#include <QFont>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace quindra {

QFont dialogFont(bool bold = false);

// A label with its text at the top left and the window showing through.
QLabel* placedLabel(QWidget* parent, const QString& text, double left, double top, double width,
                    double height);

// A push button that never answers Enter.
QPushButton* placedButton(QWidget* parent, const QString& text, double left, double top,
                          double width, double height);

} // namespace quindra
