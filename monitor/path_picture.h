// A top-down picture of the avatar's path and facing, as SVG.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct PathSample {
    float x, z;            // avatar position in the horizontal plane
    float frontX, frontZ;  // horizontal facing
};

struct PathPicture {
    std::vector<PathSample> samples;
    std::string identity;
};

// Keeps a sample; non-finite positions are left out. Past 20000 samples every
// second one is dropped, so memory stays bounded on long runs.
void addSample(PathPicture& picture, float x, float z, float frontX, float frontZ);

// Writes the picture: +x to the right, +z downwards, the path as a line, the
// facing as arrows along it, the start in green and the end in red.
void writeSvg(const PathPicture& picture, std::FILE* out);
