// The messages shown in the window: every line the game prints while it is
// played, and the new state of the commands that print nothing.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

constexpr std::size_t kMaxMessages = 5;
constexpr double kMessageSeconds = 4.0; // gone this long after it came
constexpr double kFadeSeconds = 0.75;   // the last part of it spent fading

struct ShownMessage {
    std::string text;
    float opacity;
};

class MessageList {
  public:
    // Adds a message at time `now`; the oldest goes once there are too many.
    void post(std::string text, double now);

    // The messages still on show at `now`, oldest first.
    std::vector<ShownMessage> shown(double now) const;

    void clear() { messages_.clear(); }

  private:
    struct Message {
        std::string text;
        double postedAt;
    };
    std::deque<Message> messages_;
};

MessageList& gameMessages();

// Posts to the game's list at the game clock's time.
void postMessage(std::string text);
