#version 150 core
// Layer grids and the order plane: flat lines or a flat sheet.

in vec4 in_position;
in vec2 in_texCoord;

uniform mat4 modelViewProjectionMatrix;

out vec2 texCoord;

void main() {
    texCoord = in_texCoord;
    gl_Position = modelViewProjectionMatrix * in_position;
}
