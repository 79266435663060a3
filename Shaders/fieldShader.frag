#version 150 core
// A cool blue that fades towards the edge of the field.

uniform float alpha;

in vec2 texCoord;

out vec4 out_color;
out vec4 out_glow;

void main() {
    vec2 fromCentre = texCoord - vec2(0.5);
    float fade = 1.0 - smoothstep(0.3, 0.5, length(fromCentre));
    vec3 color = vec3(0.10, 0.28, 0.45) * fade;
    out_color = vec4(color, alpha * fade);
    out_glow = vec4(color * 0.25, alpha * fade);
}
