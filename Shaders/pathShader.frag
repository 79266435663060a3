#version 150 core
// Queued orders in the side's colour, with a faint glow so they read over
// dark space without outshining the ships.

uniform vec4 color;

out vec4 out_color;
out vec4 out_glow;

void main() {
    out_color = color;
    out_glow = vec4(color.rgb * 0.35, color.a);
}
