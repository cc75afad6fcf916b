#pragma once
// Some desktop styles let a tap of Alt move the keyboard into the menu bar, where the
// next keys would open menus instead of moving a racquet. The game's menu bar opts out.
class QMenuBar;

namespace quindra {

void keepKeysFromTheMenuBar(QMenuBar* bar);

} // namespace quindra
