#version 150 core
// Bloom: a soft blur of the glow that the scene passes wrote, scaled by the
// player's bloom factor. Thirteen taps in two rings; every tap but the
// centre falls between texels, so the linear filter averages four texels
// for the price of one and the blur stays cheap even on a software
// rasteriser.

uniform sampler2D colorTexture; // the glow
uniform float pixelsizex;
uniform float pixelsizey;
uniform float bloomfactor;

in vec2 texCoord;

out vec4 out_color;

const float innerRadius = 1.5; // pixels
const float outerRadius = 4.5;

vec3 glowAt(vec2 offsetInPixels) {
    return texture(colorTexture, texCoord + offsetInPixels * vec2(pixelsizex, pixelsizey)).rgb;
}

void main() {
    vec3 sum = 0.2 * glowAt(vec2(0.0));
    vec3 inner = vec3(0.0);
    for (int i = 0; i < 4; ++i) {
        float angle = float(i) * 1.5707963 + 0.3217506; // a quarter turn apart, off-axis
        inner += glowAt(vec2(cos(angle), sin(angle)) * innerRadius);
    }
    vec3 outer = vec3(0.0);
    for (int i = 0; i < 8; ++i) {
        float angle = float(i) * 0.7853982 + 0.3926991; // an eighth apart, between the inner taps
        outer += glowAt(vec2(cos(angle), sin(angle)) * outerRadius);
    }
    sum += 0.1 * inner + 0.05 * outer;
    out_color = vec4(sum * bloomfactor, 1.0);
}
