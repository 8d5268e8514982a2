#version 330 core
// Depth from the sun: every caster's position in the light's clip space.
layout(location = 0) in vec3 aPos;

uniform mat4 uLightSpace;
uniform mat4 uModel;

void main() { gl_Position = uLightSpace * uModel * vec4(aPos, 1.0); }
