#include "app/messages.h"

#include <algorithm>
#include <iterator>

#include "render/glyph_layout.h"
#include "sim/clock.h"

std::string capMessage(std::string text) {
    std::size_t end = 0;
    std::size_t keep = 0; // bytes of the first kLongestMessage - 3 characters
    for (std::size_t count = 0; end < text.size(); ++count) {
        if (count == kLongestMessage - 3) {
            keep = end;
        }
        if (count == kLongestMessage) {
            return text.substr(0, keep) + "...";
        }
        end += characterBytes(text, end);
    }
    return text;
}

void MessageList::post(std::string text, double now) {
    text = capMessage(std::move(text));
    if (messages_.empty() || now - messages_.back().postedAt >= kBurstSeconds) {
        messages_.push_back({{}, 0, now});
    }
    Message& message = messages_.back();
    message.newest.push_back(std::move(text));
    ++message.count;
    if (message.newest.size() > kBurstRows) {
        message.newest.pop_front();
    }
    while (rowCount() > kMaxMessageRows) {
        messages_.pop_front();
    }
}

// All its lines while they fit, else the newest and the fold.
std::vector<std::string> MessageList::Message::rows() const {
    if (count <= kBurstRows) {
        return {newest.begin(), newest.end()};
    }
    std::vector<std::string> result(std::next(newest.begin()), newest.end()); // it holds kBurstRows
    result.push_back("... and " + std::to_string(count - (kBurstRows - 1)) + " more");
    return result;
}

std::size_t MessageList::rowCount() const {
    std::size_t rows = 0;
    for (const Message& message : messages_) {
        rows += std::min(message.count, kBurstRows);
    }
    return rows;
}

std::vector<ShownMessage> MessageList::shown(double now) const {
    std::vector<ShownMessage> result;
    for (const Message& message : messages_) {
        const double left = message.postedAt + kMessageSeconds - now;
        if (left > 0.0) {
            const auto opacity = static_cast<float>(std::min(1.0, left / kFadeSeconds));
            for (std::string& row : message.rows()) {
                result.push_back({std::move(row), opacity});
            }
        }
    }
    return result;
}

MessageList& gameMessages() {
    static MessageList messages;
    return messages;
}

void postMessage(std::string text) {
    gameMessages().post(std::move(text), currentTime());
}
