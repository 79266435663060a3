#version 150

// The overview map: window pixels from the top left. Each dot is one point
// as wide as the dot, so the fragments can cut its shape.
uniform vec2 windowSize;

in vec2 in_position;
in vec4 in_color;
in float in_shape;
in float in_radius;

out vec4 color;
flat out int shape;
flat out float radius;

void main() {
    vec2 ndc = in_position / windowSize * 2.0 - 1.0;
    gl_Position = vec4(ndc.x, -ndc.y, 0.0, 1.0);
    gl_PointSize = max(1.0, 2.0 * in_radius);
    color = in_color;
    shape = int(in_shape + 0.5);
    radius = in_radius;
}
