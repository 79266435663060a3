#include "platform/keys.h"

#include <array>

namespace {
std::array<bool, Key::Last + 1> keysDown{};

bool isValidKey(int key) {
    return key >= 0 && key <= Key::Last;
}
} // namespace

bool isKeyDown(int key) {
    return isValidKey(key) && keysDown[key];
}

void setKeyDown(int key, bool down) {
    if (isValidKey(key)) {
        keysDown[key] = down;
    }
}

void releaseAllKeys() {
    keysDown.fill(false);
}
