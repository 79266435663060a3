#version 150 core
// Lens-flare sprites along the line from the sun through the view centre.

in vec4 in_position;
in vec2 in_texCoord;

uniform mat4 modelMatrix; // the whole transform, made on the CPU

out vec2 texCoord;

void main() {
    texCoord = in_texCoord;
    gl_Position = modelMatrix * in_position;
}
