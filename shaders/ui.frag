#version 330 core
// A flat, alpha-blended fill.
uniform vec4 color;

out vec4 FragColor;

void main() {
    FragColor = color;
}
