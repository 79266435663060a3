#include "app/input_callbacks.h"

#include <iostream>

#include <epoxy/gl.h>

#include "app/edge_scrolling.h"
#include "app/keyboard.h"
#include "app/mouse.h"
#include "math/window_ratio.h"
#include "platform/window.h"
#include "render/offscreen_target.h"
#include "render/render_settings.h"

bool fullscreenMode = false;

namespace {

bool sameSize(WindowSize a, WindowSize b) {
    return a.width == b.width && a.height == b.height;
}

void resizeOpenWindow(WindowSize size) {
    if (isWindowOpen() && !isWindowIconified() && !sameSize(currentWindowSize(), size)) {
        resizeWindow(size);
    }
}

} // namespace

void installInputCallbacks() {
    setKeyHandler(handleKey);
    setMousePositionHandler(handleMousePosition);
    setFocusLossHandler(clearEdgeFlags);
    setMouseButtonHandler(handleMouseButton);
    setMouseWheelHandler(handleMouseWheel);
    setWindowSizeHandler(handleResize);
}

void handleResize(int width, int height) {
    if (width <= 0 || height <= 0) {
        return; // minimised: no usable aspect ratio until the window comes back
    }
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    projectionMatrix = sceneProjection(aspect);
    glViewport(0, 0, width, height);
    windowWidth = width;
    windowHeight = height;
    aspectRatio = aspect;
    createOffscreenTarget();
}

void switchToFullscreen() {
    resizeOpenWindow(usableScreenSize());
    installInputCallbacks();
    fullscreenMode = true;
}

void switchToWindowMode() {
    resizeOpenWindow(gameWindowSize(usableScreenSize()));
    installInputCallbacks();
    fullscreenMode = false;
}

void toggleWindowMode() {
    if (fullscreenMode) {
        switchToWindowMode();
        std::cout << "Switched to Window Mode" << std::endl;
    } else {
        switchToFullscreen();
        std::cout << "Switched to Fullscreen Mode" << std::endl;
    }
}
