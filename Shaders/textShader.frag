#version 150

// The atlas holds each letter's coverage in red and its outline in alpha.
// A letter is drawn over its own dark rim; the backing panels sample a
// solid part of the atlas.
uniform sampler2D atlas;

in vec2 texCoord;
in vec4 color;
in float outline;

out vec4 out_color;

void main() {
    vec4 texel = texture(atlas, texCoord);
    float letter = texel.r;
    float rim = texel.a * outline;
    // Premultiplied, for blending with (1, 1 - source alpha).
    out_color = vec4(color.rgb * letter, letter + (1.0 - letter) * rim) * color.a;
}
