#version 330 core
// Glyph quads: pixel positions and atlas coordinates.
layout(location = 0) in vec2 aPos;
layout(location = 1) in vec2 aTexCoord;

uniform mat4 projection;
uniform mat4 model;
uniform vec2 uvOffset;
uniform vec2 uvScale;

out vec2 vTexCoord;

void main() {
    vTexCoord = aTexCoord * uvScale + uvOffset;
    gl_Position = projection * model * vec4(aPos, 0.0, 1.0);
}
