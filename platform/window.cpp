#include "platform/window.h"

#include <cctype>
#include <cmath>
#include <utility>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "platform/keys.h"

namespace {

struct WindowState {
    GLFWwindow* window = nullptr;
    bool initialised = false;
    KeyHandler keyHandler;
    MouseButtonHandler mouseButtonHandler;
    MousePositionHandler mousePositionHandler;
    MouseWheelHandler mouseWheelHandler;
    WindowSizeHandler windowSizeHandler;
    FocusLossHandler focusLossHandler;
    KeyNameLookup keyNameLookup;
    EventHook eventHook;
    double wheelAccumulated = 0.0;
    int mouseX = 0;
    int mouseY = 0;
    WindowSize injectedSize; // stands in for the window's size while there is none
};

WindowState state;

int specialKeyCode(int glfwKey) {
    switch (glfwKey) {
    case GLFW_KEY_SPACE:
        return Key::Space;
    case GLFW_KEY_ESCAPE:
        return Key::Escape;
    case GLFW_KEY_UP:
        return Key::Up;
    case GLFW_KEY_DOWN:
        return Key::Down;
    case GLFW_KEY_LEFT:
        return Key::Left;
    case GLFW_KEY_RIGHT:
        return Key::Right;
    case GLFW_KEY_LEFT_SHIFT:
        return Key::LeftShift;
    case GLFW_KEY_RIGHT_SHIFT:
        return Key::RightShift;
    case GLFW_KEY_LEFT_CONTROL:
        return Key::LeftCtrl;
    case GLFW_KEY_RIGHT_CONTROL:
        return Key::RightCtrl;
    case GLFW_KEY_LEFT_ALT:
        return Key::LeftAlt;
    case GLFW_KEY_RIGHT_ALT:
        return Key::RightAlt;
    case GLFW_KEY_TAB:
        return Key::Tab;
    case GLFW_KEY_ENTER:
        return Key::Enter;
    case GLFW_KEY_BACKSPACE:
        return Key::Backspace;
    case GLFW_KEY_INSERT:
        return Key::Insert;
    case GLFW_KEY_DELETE:
        return Key::Delete;
    case GLFW_KEY_PAGE_UP:
        return Key::PageUp;
    case GLFW_KEY_PAGE_DOWN:
        return Key::PageDown;
    case GLFW_KEY_HOME:
        return Key::Home;
    case GLFW_KEY_END:
        return Key::End;
    case GLFW_KEY_KP_DIVIDE:
        return Key::KeypadDivide;
    case GLFW_KEY_KP_MULTIPLY:
        return Key::KeypadMultiply;
    case GLFW_KEY_KP_SUBTRACT:
        return Key::KeypadSubtract;
    case GLFW_KEY_KP_ADD:
        return Key::KeypadAdd;
    case GLFW_KEY_KP_DECIMAL:
        return Key::KeypadDecimal;
    case GLFW_KEY_KP_EQUAL:
        return Key::KeypadEqual;
    case GLFW_KEY_KP_ENTER:
        return Key::KeypadEnter;
    default:
        break;
    }
    if (glfwKey >= GLFW_KEY_F1 && glfwKey <= GLFW_KEY_F25) {
        return Key::F1 + (glfwKey - GLFW_KEY_F1);
    }
    if (glfwKey >= GLFW_KEY_KP_0 && glfwKey <= GLFW_KEY_KP_9) {
        return Key::Keypad0 + (glfwKey - GLFW_KEY_KP_0);
    }
    return -1;
}

// A printable key is the upper-cased character it types on this layout.
int gameKeyCode(int glfwKey, int scancode) {
    const int special = specialKeyCode(glfwKey);
    if (special >= 0) {
        return special;
    }
    const char* name = state.keyNameLookup ? state.keyNameLookup(glfwKey, scancode)
                                           : glfwGetKeyName(glfwKey, scancode);
    if (name != nullptr && name[0] != '\0' && name[1] == '\0') {
        return std::toupper(static_cast<unsigned char>(name[0]));
    }
    if (glfwKey >= GLFW_KEY_SPACE && glfwKey <= GLFW_KEY_GRAVE_ACCENT) {
        return glfwKey; // GLFW numbers printable keys by their US character
    }
    return -1;
}

void onKey(GLFWwindow*, int glfwKey, int scancode, int action, int) {
    translateKeyEvent(glfwKey, scancode, action);
}

void onMouseButton(GLFWwindow*, int button, int action, int) {
    injectMouseButton(button, action == GLFW_PRESS ? KeyAction::Press : KeyAction::Release);
}

void onCursorPos(GLFWwindow*, double x, double y) {
    injectMousePosition(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

void onScroll(GLFWwindow*, double, double yOffset) {
    translateScroll(yOffset);
}

void onFocus(GLFWwindow*, int focused) {
    if (focused == GLFW_FALSE) {
        injectFocusLoss();
    }
}

void runEventHook(bool waiting) {
    const EventHook hook = state.eventHook; // a copy: the hook may replace itself
    if (hook) {
        hook(waiting);
    }
}

// Where the cursor is now, read from the window while there is one.
void readCursorPosition() {
    if (state.window == nullptr) {
        return;
    }
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(state.window, &x, &y);
    state.mouseX = static_cast<int>(std::floor(x));
    state.mouseY = static_cast<int>(std::floor(y));
}

void onWindowSize(GLFWwindow*, int width, int height) {
    if (state.windowSizeHandler) {
        state.windowSizeHandler(width, height);
    }
}

} // namespace

WindowSize gameWindowSize(WindowSize usableScreen) {
    return {static_cast<int>(usableScreen.width * 0.75),
            static_cast<int>(usableScreen.height * 0.75)};
}

bool initWindowing() {
    state.initialised = glfwInit() == GLFW_TRUE;
    return state.initialised;
}

void terminateWindowing() {
    if (state.initialised) {
        glfwTerminate();
    }
    state.initialised = false;
    state.window = nullptr;
}

bool openGameWindow() {
    if (!state.initialised) {
        return false;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 2);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_SAMPLES, 4);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    glfwWindowHint(GLFW_STENCIL_BITS, 8);
    const WindowSize size = gameWindowSize(usableScreenSize());
    if (size.width <= 0 || size.height <= 0) {
        return false;
    }
    state.window = glfwCreateWindow(size.width, size.height, "", nullptr, nullptr);
    if (state.window == nullptr) {
        return false;
    }
    glfwMakeContextCurrent(state.window);
    glfwSetInputMode(state.window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    glfwSetKeyCallback(state.window, onKey);
    glfwSetMouseButtonCallback(state.window, onMouseButton);
    glfwSetCursorPosCallback(state.window, onCursorPos);
    glfwSetScrollCallback(state.window, onScroll);
    glfwSetWindowSizeCallback(state.window, onWindowSize);
    glfwSetWindowFocusCallback(state.window, onFocus);
    return true;
}

void setWindowTitle(const char* title) {
    if (state.window != nullptr) {
        glfwSetWindowTitle(state.window, title);
    }
}

WindowSize usableScreenSize() {
    GLFWmonitor* monitor = state.initialised ? glfwGetPrimaryMonitor() : nullptr;
    if (monitor == nullptr) {
        return {};
    }
    int x = 0;
    int y = 0;
    WindowSize size;
    glfwGetMonitorWorkarea(monitor, &x, &y, &size.width, &size.height);
    return size;
}

WindowSize currentWindowSize() {
    WindowSize size = state.injectedSize;
    if (state.window != nullptr) {
        glfwGetWindowSize(state.window, &size.width, &size.height);
    }
    return size;
}

void resizeWindow(WindowSize size) {
    if (state.window != nullptr) {
        glfwSetWindowSize(state.window, size.width, size.height);
    }
}

bool isWindowOpen() {
    return state.window != nullptr && !glfwWindowShouldClose(state.window);
}

bool isWindowIconified() {
    return state.window != nullptr && glfwGetWindowAttrib(state.window, GLFW_ICONIFIED) != 0;
}

bool isWindowCloseRequested() {
    return state.window != nullptr && glfwWindowShouldClose(state.window);
}

void requestWindowClose() {
    if (state.window != nullptr) {
        glfwSetWindowShouldClose(state.window, GLFW_TRUE);
    }
}

void swapBuffersAndPollEvents() {
    if (state.window != nullptr) {
        runEventHook(false);
        glfwSwapBuffers(state.window);
        glfwPollEvents();
    }
}

void waitWindowEvents() {
    if (state.initialised) {
        glfwWaitEventsTimeout(0.05);
        runEventHook(true);
    }
}

double windowClock() {
    return state.initialised ? glfwGetTime() : 0.0;
}

void glContextVersion(int& major, int& minor) {
    major = 0;
    minor = 0;
    if (state.window != nullptr) {
        major = glfwGetWindowAttrib(state.window, GLFW_CONTEXT_VERSION_MAJOR);
        minor = glfwGetWindowAttrib(state.window, GLFW_CONTEXT_VERSION_MINOR);
    }
}

bool isExtensionSupported(const char* name) {
    return state.window != nullptr && glfwExtensionSupported(name) == GLFW_TRUE;
}

void setKeyHandler(KeyHandler handler) {
    state.keyHandler = std::move(handler);
}

void setMouseButtonHandler(MouseButtonHandler handler) {
    state.mouseButtonHandler = std::move(handler);
}

void setMousePositionHandler(MousePositionHandler handler) {
    state.mousePositionHandler = std::move(handler);
    readCursorPosition();
    if (state.mousePositionHandler) {
        state.mousePositionHandler(state.mouseX, state.mouseY);
    }
}

void setMouseWheelHandler(MouseWheelHandler handler) {
    state.mouseWheelHandler = std::move(handler);
    if (state.mouseWheelHandler) {
        state.mouseWheelHandler(mouseWheelPosition());
    }
}

void setWindowSizeHandler(WindowSizeHandler handler) {
    state.windowSizeHandler = std::move(handler);
    if (state.windowSizeHandler) {
        const WindowSize size = currentWindowSize();
        state.windowSizeHandler(size.width, size.height);
    }
}

void setFocusLossHandler(FocusLossHandler handler) {
    state.focusLossHandler = std::move(handler);
}

void setKeyNameLookup(KeyNameLookup lookup) {
    state.keyNameLookup = std::move(lookup);
}

void setEventHook(EventHook hook) {
    state.eventHook = std::move(hook);
}

void translateKeyEvent(int libraryKey, int scancode, int libraryAction) {
    const int key = gameKeyCode(libraryKey, scancode);
    if (key >= 0) {
        injectKey(key, libraryAction == GLFW_RELEASE ? KeyAction::Release : KeyAction::Press);
    }
}

// The library reports wheel turns as offsets, fractional on smooth wheels
// and touch pads; the game sees their running total in whole notches.
void translateScroll(double yOffset) {
    state.wheelAccumulated += yOffset;
    if (state.mouseWheelHandler) {
        state.mouseWheelHandler(mouseWheelPosition());
    }
}

void injectKey(int key, int action) {
    setKeyDown(key, action != KeyAction::Release);
    // A copy, because the handler may install a new one while it runs.
    const KeyHandler handler = state.keyHandler;
    if (handler) {
        handler(key, action);
    }
}

void injectMouseButton(int button, int action) {
    if (state.mouseButtonHandler) {
        state.mouseButtonHandler(button, action);
    }
}

void injectMousePosition(int x, int y) {
    state.mouseX = x;
    state.mouseY = y;
    if (state.mousePositionHandler) {
        state.mousePositionHandler(x, y);
    }
}

void injectFocusLoss() {
    if (state.focusLossHandler) {
        state.focusLossHandler();
    }
}

void injectWindowSize(WindowSize size) {
    state.injectedSize = size;
    if (state.windowSizeHandler) {
        state.windowSizeHandler(size.width, size.height);
    }
}

void injectWheel(int position) {
    state.wheelAccumulated = position;
    if (state.mouseWheelHandler) {
        state.mouseWheelHandler(position);
    }
}

int mouseWheelPosition() {
    return static_cast<int>(std::lround(state.wheelAccumulated));
}
