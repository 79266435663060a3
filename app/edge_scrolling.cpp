#include "app/edge_scrolling.h"

#include "app/keyboard.h"
#include "math/camera.h"
#include "platform/keys.h"

namespace {
constexpr int kEdgeMargin = 15;
constexpr float kWheelZoomFactor = 17.0f;
constexpr float kEdgeOrbitFactor = 0.6f;

EdgeFlags flags;
int lastWheelPos = 0;
} // namespace

const EdgeFlags& edgeFlags() {
    return flags;
}

void updateEdgeFlags(int x, int y, WindowSize window) {
    flags.left = x < kEdgeMargin;
    flags.right = x > window.width - kEdgeMargin;
    flags.top = y < kEdgeMargin;
    flags.bottom = y > window.height - kEdgeMargin;
}

void clearEdgeFlags() {
    flags = EdgeFlags{};
}

void applyEdgeScrolling() {
    const bool orbit = isGameWindowOpen() && isKeyDown(Key::LeftAlt);
    if (flags.left) {
        orbit ? orbitEyeRightBy(1.0f) : edgePanLeft(1.0f);
    }
    if (flags.right) {
        orbit ? orbitEyeLeftBy(1.0f) : edgePanRight(1.0f);
    }
    if (flags.top) {
        orbit ? orbitEyeDownBy(kEdgeOrbitFactor) : edgePanForward(1.0f);
    }
    if (flags.bottom) {
        orbit ? orbitEyeUpBy(kEdgeOrbitFactor) : edgePanBackward(1.0f);
    }
}

void handleMouseWheel(int position) {
    if (position < lastWheelPos) {
        zoomOutBy(kWheelZoomFactor);
    } else if (position > lastWheelPos) {
        zoomInBy(kWheelZoomFactor);
    }
    lastWheelPos = position;
}

void resetEdgeScrolling() {
    flags = EdgeFlags{};
    lastWheelPos = 0;
}
