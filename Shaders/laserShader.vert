#version 150 core
// Laser bolts: two crossed quads along the flight line.

in vec4 in_position;
in vec2 in_texCoord;

uniform mat4 modelMatrix; // the whole transform, made on the CPU

out vec2 texCoord;

void main() {
    texCoord = in_texCoord;
    gl_Position = modelMatrix * in_position;
}
