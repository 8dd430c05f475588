// Binary PPM (P6, 8 bits) pictures for the asset tools, and gamma-encoded bytes to linear light
// and back, so that shading and filtering mix light, not codes.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace spindle::tools {

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    std::uint8_t* At(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
    const std::uint8_t* At(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// Reads `path` into `image`; says so on stderr and returns false if it is no such picture.
inline bool ReadPpm(const std::string& path, Image& image) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    if (!(in >> magic >> image.width >> image.height >> maxValue) || magic != "P6" || maxValue != 255 ||
        image.width <= 0 || image.height <= 0) {
        std::cerr << "cannot read " << path << "\n";
        return false;
    }
    in.get();
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
    if (!in) std::cerr << "cannot read " << path << "\n";
    return static_cast<bool>(in);
}

inline bool WritePpm(const std::string& path, const Image& image) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.width << " " << image.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
    return static_cast<bool>(out);
}

inline double ToLinear(double code) { return std::pow(code / 255.0, 2.2); }
inline std::uint8_t ToCode(double linear) {
    return static_cast<std::uint8_t>(std::lround(255 * std::pow(std::clamp(linear, 0.0, 1.0), 1 / 2.2)));
}

}  // namespace spindle::tools
