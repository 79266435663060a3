// What the scene passes share: uniform uploads, texture binding, the
// camera's matrices and distances, the height band of a planet layer, and
// the blending switch that the Transparency toggle governs.
#pragma once

#include <epoxy/gl.h>

#include "render/gl_state.h"
#include "render/shader_programs.h"
#include "sim/galaxy.h"

// Whether something at height y belongs to the planet layer shown; with
// every layer shown, everything does.
bool isAtShownHeight(float y);

void setMatrix(GLint location, const Mat4& matrix);
void setMatrix(GLint location, const Mat3& matrix);
void setVector(GLint location, const Vec3& vector);
void setColor(GLint location, const Vec4& color);

// Binds a texture from its holder to the active unit; no holder binds none.
void bindTexture(const GLuint* holder);

// The program's GL name and the location of one of its uniforms.
GLuint programId(Program id);
GLint uniformOf(Program id, const char* name);

// The camera's view (rebuilt first when the camera has moved), and the
// projection times that view.
Mat4 sceneView();
Mat4 sceneViewProjection();

float distanceFromEye(const Vec3& point);

// Model matrix of a quad at `position` that faces the camera, with its own
// matrix (scale) applied first.
Mat4 facingCamera(const Vec3& position, const Mat4& own);

// The blending of translucent things, only while Transparency is on.
Blend blendIfTransparent(Blend blend);
