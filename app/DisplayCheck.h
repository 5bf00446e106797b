#pragma once

#include <optional>
#include <string>

namespace app {

// Turns "there is no display to open the window on" into one clear line with
// the way to run the program headless, instead of the toolkit's abort message.
class DisplayCheck {
public:
    // The line to print when the environment names no display for the
    // platform Qt will use; nullopt when there is one to try. Where a screen
    // is always there (Windows, a browser page) it is always nullopt:
    // DisplayCheck_unix.cpp and DisplayCheck_screen.cpp, one per platform.
    static std::optional<std::string> missingDisplay();

    // While Qt connects to the display: holds back its messages and, should
    // it give up, prints the one line and ends the program with status 1.
    // Once the application exists, release() replays what was held back.
    DisplayCheck();
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    void release();

    // The one line that says why no window opens, and how to run headless.
    static std::string lineFor(const std::string& reason);
};

}  // namespace app
