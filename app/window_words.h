// What the window says for the lines the game prints. The console keeps the
// game's own words byte for byte; the window says them as a player reads
// them, keeps quiet about lines a player need not see, and folds the
// computer's trade routes into one line with a count.
#pragma once

#include <string>

// Between two lines that count the computer's new trade routes.
constexpr double kRouteLineSeconds = 10.0;

// The window's words for one printed line; empty when the window says nothing.
std::string windowWords(const std::string& consoleLine);

class ConsoleWords {
  public:
    // A printed line at `now`: its words go to the game's messages, a route
    // line of the computer's is counted instead.
    void take(const std::string& line, double now);

    // Once a frame: the count of the computer's new routes, once one is due.
    void postDueRouteLine(double now);

    // The next "Jump to" line is said as `words` instead of the group's.
    void nameNextJump(std::string words) { nextJump_ = std::move(words); }

    void reset() { *this = ConsoleWords{}; }

  private:
    std::string nextJump_;
    int routesUntold_ = 0;
    double routesToldAt_ = -kRouteLineSeconds;
};

ConsoleWords& consoleWords();
