#pragma once
// Deterministic noise for textures: the same seed always gives the same
// picture, on every machine, so the generated files can be committed and
// checked.
#include <cstdint>

namespace lumora::art {

class Noise {
public:
    explicit Noise(uint32_t seed) : seed_(seed) {}

    // Uniform 0..1 for one lattice point.
    float Hash(int x, int y) const;
    // Smooth value noise, 0..1, lattice spacing 1.
    float Value(float x, float y) const;
    // Sum of `octaves` value-noise layers, each twice as fine and half as
    // strong; 0..1.
    float Fractal(float x, float y, int octaves) const;
    // Cellular noise: distance to the nearest and second-nearest feature
    // point of a jittered unit grid.
    struct Cells {
        float nearest, second;
    };
    Cells Cellular(float x, float y) const;

private:
    uint32_t seed_;
};

}  // namespace lumora::art
