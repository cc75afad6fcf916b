#pragma once
// What the program does before its window: the desktop's language for Qt's own dialogs,
// and a plain word instead of a crash when there is no display to show the game on.
class QApplication;

namespace quindra {

// Holds Qt's start-up messages until the application exists. If Qt cannot start its
// window system, prints one line saying so and ends the program with status 1.
class StartUpGuard {
  public:
    StartUpGuard();
    ~StartUpGuard();
    // The application exists: the held messages are printed and Qt speaks for itself.
    void started();

    StartUpGuard(const StartUpGuard&) = delete;
    StartUpGuard& operator=(const StartUpGuard&) = delete;

  private:
    bool holding_ = true;
};

// Qt's own texts (the colour dialog, the buttons of message boxes) in the desktop's
// language, where Qt has a translation for it.
void loadDesktopLanguage(QApplication& app);

} // namespace quindra
