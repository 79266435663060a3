#version 150 core
// Bloom from the glow's mipmap chain, which the bloom pass builds each
// frame: level 2 holds the glow averaged over 4 x 4 pixel blocks, level 4
// over 16 x 16 blocks. Read back through the linear filter they are the
// glow blurred a few pixels wide and some thirty pixels wide: a bright
// core with a wide soft halo for two taps per pixel. The pass draws at
// level 2's size, and the composite spreads it over the window. The glow
// is clamped at its edges, so a sun at the top of the view never glows at
// the bottom.

uniform sampler2D colorTexture; // the glow
uniform float bloomfactor;

in vec2 texCoord;

out vec4 out_color;

const float coreLevel = 2.0;
const float haloLevel = 4.0;

void main() {
    vec3 core = textureLod(colorTexture, texCoord, coreLevel).rgb;
    vec3 halo = textureLod(colorTexture, texCoord, haloLevel).rgb;
    out_color = vec4((0.6 * core + 0.6 * halo) * bloomfactor, 1.0);
}
