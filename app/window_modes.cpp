#include "app/window_modes.h"

#include <iostream>

#include "app/edge_scrolling.h"
#include "app/keyboard.h"
#include "app/mouse.h"
#include "platform/window.h"
#include "render/renderer.h"

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
    resizeRenderer(width, height);
    refreshEdgeFlags();
}

void switchToFullscreen() {
    resizeOpenWindow(usableScreenSize());
    installInputCallbacks();
    appState().fullscreenMode = true;
}

void switchToWindowMode() {
    resizeOpenWindow(gameWindowSize(usableScreenSize()));
    installInputCallbacks();
    appState().fullscreenMode = false;
}

void toggleWindowMode() {
    if (appState().fullscreenMode) {
        switchToWindowMode();
        std::cout << "Switched to Window Mode" << std::endl;
    } else {
        switchToFullscreen();
        std::cout << "Switched to Fullscreen Mode" << std::endl;
    }
}
