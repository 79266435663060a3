#version 150

// Map dots: 0 a filled square (the backdrop, ships and lines), 1 a disc
// (a developed planet), 2 a ring (an undeveloped one, a claim, an alert),
// 3 a cross (a battle). Edges are softened over about a pixel.
in vec2 corner;
in vec4 color;
flat in int shape;

out vec4 out_color;

void main() {
    float r = length(corner);
    float edge = max(fwidth(r), 1e-3);
    float coverage = 1.0;
    if (shape == 1) {
        coverage = 1.0 - smoothstep(1.0 - edge, 1.0, r);
    } else if (shape == 2) {
        coverage = (1.0 - smoothstep(1.0 - edge, 1.0, r)) * smoothstep(0.6 - edge, 0.6, r);
    } else if (shape == 3) {
        vec2 d = abs(corner);
        coverage = max(step(d.x, 0.22), step(d.y, 0.22));
    }
    if (coverage <= 0.0) {
        discard;
    }
    out_color = vec4(color.rgb, color.a * coverage);
}
