#version 150 core
// The finished frame: the scene plus its bloom, with the keyboard help, the
// defeat or the victory image laid over it. "helpEnabled" says which:
// 1 none, 2 help, 3 defeat, 4 victory.

uniform sampler2D colorTexture1; // scene
uniform sampler2D colorTexture2; // bloom
uniform sampler2D helpTexture;
uniform float helpEnabled;

in vec2 texCoord;

out vec4 out_color;

void main() {
    vec3 scene = texture(colorTexture1, texCoord).rgb;
    vec3 bloom = texture(colorTexture2, texCoord).rgb;
    vec3 color = scene + bloom;

    if (helpEnabled > 1.5) {
        vec3 image = texture(helpTexture, texCoord).rgb;
        // The help leaves a little of the game showing through; the end
        // screens all but cover it.
        float cover = helpEnabled > 2.5 ? 0.92 : 0.8;
        color = mix(color, image, cover);
    }
    out_color = vec4(color, 1.0);
}
