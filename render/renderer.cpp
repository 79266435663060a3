#include "render/renderer.h"

#include <epoxy/gl.h>

#include "app/window.h"
#include "render/gl_check.h"

int drawnShipCount = 0;
int drawnPlanetCount = 0;

void initRenderer() {
    checkGLError();
}

void renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    swapBuffersAndPollEvents();
}

void shutdownRenderer() {}

void resizeViewport(int width, int height) {
    glViewport(0, 0, width, height);
}
