#version 330 core
// Depth only: the shadow map keeps what the rasteriser writes.
void main() {}
