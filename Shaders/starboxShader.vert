#version 150 core
// The star sky: a huge sphere that travels with the camera, so only turning
// the view moves the stars.

in vec4 in_position;
in vec2 in_texCoord;

uniform mat4 modelMatrix;
uniform mat4 viewMatrix;
uniform mat4 projectionMatrix;

out vec2 texCoord;

void main() {
    texCoord = in_texCoord;
    mat4 rotationOnly = mat4(mat3(viewMatrix));
    gl_Position = projectionMatrix * (rotationOnly * (modelMatrix * in_position));
}
