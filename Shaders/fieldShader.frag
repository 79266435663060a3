#version 150 core
// Layer grids and the order plane: a cool blue that fades toward the edge
// of the field. Drawn as lines every fragment lies on a grid line; drawn
// as a sheet the cells stay faint between brighter lines.

uniform float alpha;

in vec2 texCoord;

out vec4 out_color;
out vec4 out_glow;

const float cells = 20.0;

void main() {
    vec2 fromCentre = texCoord - vec2(0.5);
    float fade = 1.0 - smoothstep(0.25, 0.5, length(fromCentre));
    vec2 cell = texCoord * cells;
    vec2 toLine = abs(fract(cell - 0.5) - 0.5) / max(fwidth(cell), vec2(1e-4));
    float line = 1.0 - clamp(min(toLine.x, toLine.y), 0.0, 1.0);
    vec3 color = vec3(0.09, 0.26, 0.42) * fade * mix(0.3, 1.0, line);
    out_color = vec4(color, alpha * fade);
    out_glow = vec4(color * 0.3, alpha * fade);
}
