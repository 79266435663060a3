// The messages shown in the window: every line the game prints while it is
// played, and the new state of the commands that print nothing.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

constexpr std::size_t kMaxMessageRows = 6;
constexpr std::size_t kLongestMessage = 200; // characters, the last three "..." when cut
constexpr double kMessageSeconds = 4.0;      // gone this long after it came
constexpr double kFadeSeconds = 0.75;        // the last part of it spent fading
// Lines that come this soon after the first of a burst (400 ships firing at
// once print 400) belong to it: a burst shows its newest lines and how many
// more it had, so it never takes more than kBurstRows rows.
constexpr double kBurstSeconds = 0.1;
constexpr std::size_t kBurstRows = 3;

struct ShownMessage {
    std::string text;
    float opacity;
};

// At most kLongestMessage characters of `text`.
std::string capMessage(std::string text);

class MessageList {
  public:
    // Adds a message at time `now`; the oldest go once there are too many rows.
    void post(std::string text, double now);

    // The rows still on show at `now`, oldest first.
    std::vector<ShownMessage> shown(double now) const;

    void clear() { messages_.clear(); }

  private:
    // One line, or a burst of them: its newest kBurstRows lines, oldest
    // first, and how many came in all.
    struct Message {
        std::deque<std::string> newest;
        std::size_t count;
        double postedAt;
        std::vector<std::string> rows() const;
    };
    std::size_t rowCount() const;

    std::deque<Message> messages_;
};

MessageList& gameMessages();

// Posts to the game's list at the game clock's time.
void postMessage(std::string text);
