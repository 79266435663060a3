#version 150 core
// Laser bolts: two crossed quads along the flight line, one instance per
// quad. Each instance owns five rows of the instance buffer: its whole
// transform, made on the CPU, and whether the player fired it.

in vec4 in_position;
in vec2 in_texCoord;

uniform samplerBuffer instances;

out vec2 texCoord;
flat out float playerowned;

const int rowsPerInstance = 5;

void main() {
    int first = gl_InstanceID * rowsPerInstance;
    mat4 modelMatrix = mat4(texelFetch(instances, first), texelFetch(instances, first + 1),
                            texelFetch(instances, first + 2), texelFetch(instances, first + 3));
    playerowned = texelFetch(instances, first + 4).x;
    texCoord = in_texCoord;
    gl_Position = modelMatrix * in_position;
}
