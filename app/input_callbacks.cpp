#include "app/input_callbacks.h"

#include "app/keyboard.h"
#include "app/window.h"
#include "render/renderer.h"

void installInputCallbacks() {
    setKeyHandler(handleKey);
    setWindowSizeHandler(resizeViewport);
}
