#include "app/messages.h"

#include <algorithm>

#include "sim/clock.h"

void MessageList::post(std::string text, double now) {
    messages_.push_back({std::move(text), now});
    while (messages_.size() > kMaxMessages) {
        messages_.pop_front();
    }
}

std::vector<ShownMessage> MessageList::shown(double now) const {
    std::vector<ShownMessage> result;
    for (const Message& message : messages_) {
        const double left = message.postedAt + kMessageSeconds - now;
        if (left > 0.0) {
            const double opacity = std::min(1.0, left / kFadeSeconds);
            result.push_back({message.text, static_cast<float>(opacity)});
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
