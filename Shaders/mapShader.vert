#version 150

// The overview map: window pixels from the top left. Each dot is a square
// whose corners run from -1 to 1, so the fragments can cut its shape.
uniform vec2 windowSize;

in vec2 in_position;
in vec2 in_corner;
in vec4 in_color;
in float in_shape;

out vec2 corner;
out vec4 color;
flat out int shape;

void main() {
    vec2 ndc = in_position / windowSize * 2.0 - 1.0;
    gl_Position = vec4(ndc.x, -ndc.y, 0.0, 1.0);
    corner = in_corner;
    color = in_color;
    shape = int(in_shape + 0.5);
}
