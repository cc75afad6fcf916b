#pragma once
// The main window's menu bar, built from the game's menu table: each item an action,
// named and captioned as the game names it.
#include "options/Menu.h"

#include <QAction>
#include <QMenuBar>

#include <array>

namespace quindra {

class MenuTree {
  public:
    // Builds the whole tree into `bar`; the exclusive groups are owned by the bar.
    void build(QMenuBar* bar);

    QAction* operator[](MenuItem item) const { return actions_[static_cast<std::size_t>(item)]; }

  private:
    std::array<QAction*, menuItemCount> actions_{};
};

} // namespace quindra
