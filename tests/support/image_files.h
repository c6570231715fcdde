// Tiny encoders of image files for picture tests: the fixtures are made from known pixels in
// the test itself, so that the decoded pixels can be checked against them.
#pragma once

#include <cstdint>
#include <vector>

namespace test_images {

struct Rgba {
    uint8_t r, g, b, a;
};

// A 24-bit BMP, bottom-up as BMP files are; pixels row by row from the top.
std::vector<uint8_t> Bmp24(int width, int height, const std::vector<Rgba>& pixels);
// A 16-bit BMP with 5-6-5 bit fields (alpha ignored).
std::vector<uint8_t> Bmp565(int width, int height, const std::vector<Rgba>& pixels);
// An 8-bit BMP with a palette (alpha ignored) and one index per pixel, row by row from the top.
std::vector<uint8_t> Bmp8(int width, int height, const std::vector<Rgba>& palette,
                          const std::vector<uint8_t>& indices);
// A PNG with 8 bits per sample, red, green, blue and alpha.
std::vector<uint8_t> PngRgba8(int width, int height, const std::vector<Rgba>& pixels);
// A PNG with 16 bits per sample, red, green and blue; three samples per pixel.
std::vector<uint8_t> PngRgb16(int width, int height, const std::vector<uint16_t>& samples);

// An icon file with one 16 x 16 image of 32 bits per pixel in one colour.
std::vector<uint8_t> Ico16(Rgba color);

} // namespace test_images
