#version 330 core
// One flare sprite: the corner in [-1, 1]^2 around "uCenter" (NDC), half-size
// "uRadius" in height and narrowed by the aspect ratio so it stays round.
layout(location = 0) in vec2 aCorner;

uniform vec2 uCenter;
uniform float uRadius;
uniform float uAspect;

out vec2 vLocal;

void main() {
    vLocal = aCorner;
    gl_Position = vec4(uCenter + aCorner * vec2(uRadius / uAspect, uRadius), 0.0, 1.0);
}
