// Gradient and cellular noise, the raw material of the procedural textures.
// Everything is single precision and deterministic: the same arguments give the
// same bits on every run, which keeps the generated textures identical.
#pragma once

#include <vector>

// Improved gradient noise (Perlin, 2002): 0 at every integer lattice point,
// roughly -1..1 elsewhere, repeating every 256 units along each axis.
float noise(float x, float y, float z);

// Fractal sum of `octaves` noise layers starting at weight 1 and frequency 1;
// each further layer has its weight multiplied by `persistence` and its
// frequency by `lacunarity`. Divided by the sum of the weights, so it stays
// roughly in -1..1; 0 when there are no layers (or the weights cancel out).
float fbm(float x, float y, float z, int octaves, float persistence, float lacunarity);

// The fractal sum of |noise| with persistence 0.5 and lacunarity 2: roughly
// 0..1, creased where the noise crosses zero.
float turbulence(float x, float y, float z, int octaves);

// Worley noise F1: the distance from (x, y) to the nearest feature point of the
// 3 x 3 unit cells around it (one point per cell, hashed from the cell indices
// with the noise's permutation), clamped to 0..1.
float cellular(float x, float y);

// The fractal sums at every point (xs[i], ys[j], z) of a grid, written to
// out[j * xs.size() + i]: bit for bit the values of `fbm` and `turbulence`
// there, but each column's, row's and the depth's share of the lattice work is
// done once per layer instead of once per point.
void fbmGrid(const std::vector<float>& xs, const std::vector<float>& ys, float z, int octaves, float persistence,
             float lacunarity, std::vector<float>& out);
void turbulenceGrid(const std::vector<float>& xs, const std::vector<float>& ys, float z, int octaves,
                    std::vector<float>& out);
