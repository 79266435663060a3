#version 150 core
// The bolt texture in its side's colour: green for the player, red for the
// computer, with a white-hot core.

uniform sampler2D colorTexture;
uniform float playerowned;

in vec2 texCoord;

out vec4 out_color;
out vec4 out_glow;

void main() {
    vec4 bolt = texture(colorTexture, texCoord);
    vec3 side = playerowned > 0.5 ? vec3(0.3, 1.0, 0.4) : vec3(1.0, 0.25, 0.15);
    float core = max(max(bolt.r, bolt.g), bolt.b);
    vec3 color = mix(side * core, vec3(1.0), smoothstep(0.75, 1.0, core)) * 1.5;
    out_color = vec4(color, bolt.a);
    out_glow = vec4(color, bolt.a);
}
