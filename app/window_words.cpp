#include "app/window_words.h"

#include <string_view>
#include <utility>

#include "app/messages.h"

namespace {

constexpr std::string_view kComputerRouteLine = "AI opened a new trade route";

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// The switches print "... : 1" or "...activated"; the window says on or off.
struct Switch {
    std::string_view printed; // up to the state
    std::string_view said;
};

constexpr Switch kSwitches[] = {
    {" Wireframe Mode : ", "Wireframe"},
    {" Bloom : ", "Bloom"},
    {" Frustum Culling : ", "Frustum culling"},
    {"DEBUG INFO:", "Debug info"},
    {"Help ", "Help"},
    {"LenseFlare ", "Lens flare"},
    {"Transparency ", "Transparency"},
    {"Trade Routes ", "Trade routes"},
};

// "1" or "activated" is on, "0" or "deactivated" off; anything else is not a switch's state.
const char* switchState(std::string_view state) {
    if (state == "1" || state == "activated") {
        return " on";
    }
    if (state == "0" || state == "deactivated") {
        return " off";
    }
    return nullptr;
}

// A printed "<label><value>" said as "<words><value>", e.g. "SPAWN SPEED:0.65".
struct Reading {
    std::string_view printed;
    std::string_view said;
};

constexpr Reading kReadings[] = {
    {"SPAWN SPEED:", "Spawn speed "},
    {"Ship Attack Randomness :", "Attack randomness "},
    {" Filter setting: ", "Texture filter: "},
    {" Mipmap setting: ", "Mipmaps: "},
};

// Lines for whoever debugs the game, not for the player.
constexpr std::string_view kQuiet[] = {"Framebuffer created", "MAX:"};

} // namespace

std::string windowWords(const std::string& consoleLine) {
    const std::string_view line = consoleLine;
    for (const Switch& s : kSwitches) {
        if (startsWith(line, s.printed)) {
            if (const char* state = switchState(line.substr(s.printed.size()))) {
                return std::string(s.said) + state;
            }
        }
    }
    for (const Reading& r : kReadings) {
        if (startsWith(line, r.printed)) {
            return std::string(r.said) + std::string(line.substr(r.printed.size()));
        }
    }
    for (const std::string_view quiet : kQuiet) {
        if (startsWith(line, quiet)) {
            return {};
        }
    }
    if (startsWith(line, "Jump to")) {
        return "Camera to the group";
    }
    if (line == "Switched to Fullscreen Mode") {
        return "Full screen";
    }
    if (line == "Switched to Window Mode") {
        return "Window mode";
    }
    return consoleLine;
}

void ConsoleWords::take(const std::string& line, double now) {
    if (line == kComputerRouteLine) {
        ++routesUntold_;
        postDueRouteLine(now);
        return;
    }
    std::string words = windowWords(line);
    if (!nextJump_.empty() && line.starts_with("Jump to")) {
        words = std::exchange(nextJump_, {});
    }
    if (!words.empty()) {
        gameMessages().post(std::move(words), now);
    }
}

void ConsoleWords::postDueRouteLine(double now) {
    if (routesUntold_ == 0 || now - routesToldAt_ < kRouteLineSeconds) {
        return;
    }
    gameMessages().post(routesUntold_ == 1
                            ? std::string("Enemy opened a trade route")
                            : "Enemy opened " + std::to_string(routesUntold_) + " trade routes",
                        now);
    routesUntold_ = 0;
    routesToldAt_ = now;
}

ConsoleWords& consoleWords() {
    static ConsoleWords words;
    return words;
}
