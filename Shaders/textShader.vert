#version 150

// On-screen text: window pixels from the top left, atlas pixels from the
// atlas's top left.
uniform vec2 windowSize;
uniform vec2 atlasSize;

in vec2 in_position;
in vec2 in_atlasPosition;
in vec4 in_color;
in float in_outline;

out vec2 texCoord;
out vec4 color;
out float outline;

void main() {
    vec2 ndc = in_position / windowSize * 2.0 - 1.0;
    gl_Position = vec4(ndc.x, -ndc.y, 0.0, 1.0);
    texCoord = vec2(in_atlasPosition.x / atlasSize.x, 1.0 - in_atlasPosition.y / atlasSize.y);
    color = in_color;
    outline = in_outline;
}
