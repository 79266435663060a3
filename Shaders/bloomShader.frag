#version 150 core
// Bloom from the glow's mipmap chain, which the bloom pass builds each
// frame: level 2 holds the glow averaged over 4 x 4 pixel blocks, level 4
// over 16 x 16 blocks. Read back through the linear filter they are the
// glow blurred a few pixels wide and some thirty pixels wide: a bright
// core with a wide soft halo for two taps per pixel, which keeps bloom
// cheap on a software rasteriser.

uniform sampler2D colorTexture; // the glow
uniform float pixelsizex;
uniform float pixelsizey;
uniform float bloomfactor;

in vec2 texCoord;

out vec4 out_color;

const float coreLevel = 2.0;
const float haloLevel = 4.0;

void main() {
    // The glow texture repeats at its edges. Each tap stays half a block
    // inside them, so a sun at the top of the view never glows at the bottom.
    vec2 pixel = vec2(pixelsizex, pixelsizey);
    vec2 coreAt = clamp(texCoord, 2.0 * pixel, 1.0 - 2.0 * pixel);
    vec2 haloAt = clamp(texCoord, 8.0 * pixel, 1.0 - 8.0 * pixel);
    vec3 core = textureLod(colorTexture, coreAt, coreLevel).rgb;
    vec3 halo = textureLod(colorTexture, haloAt, haloLevel).rgb;
    out_color = vec4((0.6 * core + 0.6 * halo) * bloomfactor, 1.0);
}
