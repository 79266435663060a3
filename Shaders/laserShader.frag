#version 150 core
// A bolt in its side's colour (green for the player and red for the
// computer, or the colour-blind palette's), burning white only along its
// very core.

uniform sampler2D colorTexture;

in vec2 texCoord;
flat in float playerowned;

out vec4 out_color;
out vec4 out_glow;

uniform vec3 playerBolt;
uniform vec3 computerBolt;

void main() {
    vec4 bolt = texture(colorTexture, texCoord);
    vec3 side = playerowned > 0.5 ? playerBolt : computerBolt;
    float heat = max(max(bolt.r, bolt.g), bolt.b);
    vec3 color = side * (0.3 + 1.2 * heat) * heat + vec3(0.4) * pow(heat, 16.0);
    out_color = vec4(color, bolt.a);
    out_glow = vec4(side * heat * 1.2, bolt.a);
}
