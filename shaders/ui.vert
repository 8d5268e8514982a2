#version 330 core
// Rectangles: the unit quad's corner scaled and placed by "model", then into
// clip space by the pixel-space "projection".
layout(location = 0) in vec2 aPos;

uniform mat4 projection;
uniform mat4 model;

void main() {
    gl_Position = projection * model * vec4(aPos, 0.0, 1.0);
}
