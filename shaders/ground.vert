#version 330 core
// The ground plane at y = 0 under the level, with its place seen from the camera.
layout(location = 0) in vec3 aPos;

uniform mat4 uView;
uniform mat4 uProj;

out vec3 vWorldPos;
out vec3 vViewPos;

void main() {
    vWorldPos = aPos;
    vec4 view = uView * vec4(aPos, 1.0);
    vViewPos = view.xyz;
    gl_Position = uProj * view;
}
