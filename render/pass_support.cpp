#include "render/pass_support.h"

#include <glm/gtc/type_ptr.hpp>

#include "math/camera.h"
#include "math/rotations.h"
#include "render/render_state.h"

bool isAtShownHeight(float y) {
    if (renderState().layerFilter == kAllLayers) {
        return true;
    }
    return isInLayerBand(y, renderState().layerFilter);
}

void setMatrix(GLint location, const Mat4& matrix) {
    glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(matrix));
}

void setMatrix(GLint location, const Mat3& matrix) {
    glUniformMatrix3fv(location, 1, GL_FALSE, glm::value_ptr(matrix));
}

void setVector(GLint location, const Vec3& vector) {
    glUniform3fv(location, 1, glm::value_ptr(vector));
}

void setColor(GLint location, const Vec4& color) {
    glUniform4fv(location, 1, glm::value_ptr(color));
}

void bindTexture(const GLuint* holder) {
    glBindTexture(GL_TEXTURE_2D, holder != nullptr ? *holder : 0);
}

GLuint programId(Program id) {
    return shaderProgram(id).program;
}

GLint uniformOf(Program id, const char* name) {
    return glGetUniformLocation(programId(id), name);
}

Mat4 sceneView() {
    return getViewMatrix();
}

Mat4 sceneViewProjection() {
    return renderState().projectionMatrix * getViewMatrix();
}

float distanceFromEye(const Vec3& point) {
    return glm::length(point - camera().eye);
}

Mat4 facingCamera(const Vec3& position, const Mat4& own) {
    const Camera& cam = camera();
    return glm::translate(Mat4{1.0f}, position) * billboardRotation(cam.target - cam.eye) * own;
}

Blend blendIfTransparent(Blend blend) {
    return renderState().settings.transparencyEnabled ? blend : Blend::Off;
}
