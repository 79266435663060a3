#version 150 core
// Queued orders: lines and marks in world space, one colour per draw.

in vec4 in_position;

uniform mat4 viewProjectionMatrix;

void main() {
    gl_Position = viewProjectionMatrix * in_position;
}
