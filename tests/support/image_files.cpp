// BMP and PNG writers for the picture tests. The PNG data is deflated as stored blocks: no
// compression, which every decoder reads.
#include "tests/support/image_files.h"

#include <algorithm>
#include <cstddef>

namespace test_images {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Put32Be(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

// File header and BITMAPINFOHEADER; the palette and rows follow.
std::vector<uint8_t> BmpHeaders(int width, int height, int bits, int colors, size_t pixelBytes,
                                uint32_t compression = 0) {
    std::vector<uint8_t> out;
    // Bit fields (compression 3) follow the header as three masks, like a colour table.
    uint32_t offset = 14 + 40 + 4 * colors + (compression == 3 ? 12 : 0);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(offset + pixelBytes));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, compression); // BI_RGB or BI_BITFIELDS
    Put32(out, static_cast<uint32_t>(pixelBytes));
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(colors));
    Put32(out, 0);
    return out;
}

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0xFFFFFFFFu) {
    for (size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return crc;
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    Put32Be(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32Be(out, Crc32(body.data(), body.size()) ^ 0xFFFFFFFFu);
}

// Raw scan lines (each with its filter byte) as a zlib stream of stored blocks.
std::vector<uint8_t> Zlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t n = std::min<size_t>(raw.size() - at, 65535);
        out.push_back(at + n == raw.size() ? 1 : 0);
        Put16(out, static_cast<uint32_t>(n));
        Put16(out, static_cast<uint32_t>(~n & 0xFFFF));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32Be(out, (b << 16) | a);
    return out;
}

std::vector<uint8_t> Png(int width, int height, int depth, int colorType,
                         const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    Put32Be(ihdr, static_cast<uint32_t>(width));
    Put32Be(ihdr, static_cast<uint32_t>(height));
    ihdr.push_back(static_cast<uint8_t>(depth));
    ihdr.push_back(static_cast<uint8_t>(colorType));
    ihdr.push_back(0); // deflate
    ihdr.push_back(0); // adaptive filtering
    ihdr.push_back(0); // not interlaced
    Chunk(out, "IHDR", ihdr);
    Chunk(out, "IDAT", Zlib(raw));
    Chunk(out, "IEND", {});
    return out;
}

} // namespace

std::vector<uint8_t> Bmp24(int width, int height, const std::vector<Rgba>& pixels) {
    size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> out = BmpHeaders(width, height, 24, 0, stride * height);
    for (int y = height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[static_cast<size_t>(y) * width + x];
            out.insert(out.end(), {p.b, p.g, p.r});
        }
        out.resize(start + stride, 0);
    }
    return out;
}

std::vector<uint8_t> Bmp565(int width, int height, const std::vector<Rgba>& pixels) {
    size_t stride = (static_cast<size_t>(width) * 2 + 3) / 4 * 4;
    std::vector<uint8_t> out = BmpHeaders(width, height, 16, 0, stride * height, 3);
    Put32(out, 0xF800);
    Put32(out, 0x07E0);
    Put32(out, 0x001F);
    for (int y = height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[static_cast<size_t>(y) * width + x];
            Put16(out, static_cast<uint32_t>(((p.r >> 3) << 11) | ((p.g >> 2) << 5) | (p.b >> 3)));
        }
        out.resize(start + stride, 0);
    }
    return out;
}

std::vector<uint8_t> Bmp8(int width, int height, const std::vector<Rgba>& palette,
                          const std::vector<uint8_t>& indices) {
    size_t stride = (static_cast<size_t>(width) + 3) / 4 * 4;
    std::vector<uint8_t> out =
        BmpHeaders(width, height, 8, static_cast<int>(palette.size()), stride * height);
    for (const Rgba& c : palette)
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    for (int y = height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < width; ++x)
            out.push_back(indices[static_cast<size_t>(y) * width + x]);
        out.resize(start + stride, 0);
    }
    return out;
}

std::vector<uint8_t> PngRgba8(int width, int height, const std::vector<Rgba>& pixels) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[static_cast<size_t>(y) * width + x];
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    return Png(width, height, 8, 6, raw);
}

std::vector<uint8_t> PngRgb16(int width, int height, const std::vector<uint16_t>& samples) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int i = 0; i < width * 3; ++i) {
            uint16_t s = samples[static_cast<size_t>(y) * width * 3 + i];
            raw.push_back(static_cast<uint8_t>(s >> 8));
            raw.push_back(static_cast<uint8_t>(s));
        }
    }
    return Png(width, height, 16, 2, raw);
}

std::vector<uint8_t> Ico16(Rgba color) {
    constexpr int kSide = 16;
    std::vector<uint8_t> image;
    // The image's BITMAPINFOHEADER counts the colour rows and the mask rows together.
    Put32(image, 40);
    Put32(image, kSide);
    Put32(image, kSide * 2);
    Put16(image, 1);
    Put16(image, 32);
    Put32(image, 0);
    Put32(image, kSide * kSide * 4 + kSide * 4);
    for (int i = 0; i < 4; ++i)
        Put32(image, 0);
    for (int i = 0; i < kSide * kSide; ++i)
        image.insert(image.end(), {color.b, color.g, color.r, color.a});
    image.resize(image.size() + kSide * 4, 0); // AND mask: all opaque
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1); // an icon
    Put16(out, 1); // one image
    out.insert(out.end(), {kSide, kSide, 0, 0});
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<uint32_t>(image.size()));
    Put32(out, 6 + 16);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

} // namespace test_images
