#version 150

// Map dots: 0 a filled square (the backdrop, ships and lines), 1 a disc
// (a developed planet), 2 a ring (an undeveloped one, a claim, an alert),
// 3 a cross (a battle). Round edges are softened over a pixel, measured
// with the dot's radius in pixels rather than derivatives, which cost a
// software renderer dearly.
in vec4 color;
flat in int shape;
flat in float radius;

out vec4 out_color;

void main() {
    if (shape == 0) {
        out_color = color;
        return;
    }
    vec2 corner = gl_PointCoord * 2.0 - 1.0; // -1 to 1 across the dot
    float coverage;
    if (shape == 3) {
        vec2 d = abs(corner);
        coverage = min(d.x, d.y) <= 0.22 ? 1.0 : 0.0;
    } else {
        float r = length(corner) * radius; // pixels from the centre
        coverage = clamp(radius - r, 0.0, 1.0);
        if (shape == 2) {
            coverage *= clamp(r - 0.6 * radius, 0.0, 1.0);
        }
    }
    out_color = vec4(color.rgb, color.a * coverage);
}
