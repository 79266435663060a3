#version 150 core
// Full-screen pass.

in vec4 in_position;
in vec2 in_texCoord;

out vec2 texCoord;

void main() {
    texCoord = in_texCoord;
    gl_Position = in_position;
}
