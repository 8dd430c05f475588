// Renders the saver's still picture: the Earth seen from space, an orthographic globe lit from
// the upper left, with a thin blue atmosphere, on black. Reads the NASA map as binary PPM (P6,
// equirectangular) and writes a binary PPM of the given size.
//   earth_render MAP.ppm OUT.ppm SIZE
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "common/ppm_image.h"

namespace {

using spindle::tools::Image;
using spindle::tools::ToCode;
using spindle::tools::ToLinear;

constexpr double kPi = 3.14159265358979323846;

struct Colour {
    double r = 0, g = 0, b = 0;
};

// Bilinear sample of the map at longitude/latitude (radians), wrapping around in longitude.
Colour SampleMap(const Image& map, double longitude, double latitude) {
    const double u = (longitude / (2 * kPi) + 0.5) * map.width - 0.5;
    const double v = (0.5 - latitude / kPi) * map.height - 0.5;
    const int x0 = static_cast<int>(std::floor(u));
    const int y0 = static_cast<int>(std::floor(v));
    const double fx = u - x0, fy = v - y0;
    Colour sum;
    for (int dy = 0; dy <= 1; ++dy) {
        for (int dx = 0; dx <= 1; ++dx) {
            const int x = ((x0 + dx) % map.width + map.width) % map.width;
            const int y = std::clamp(y0 + dy, 0, map.height - 1);
            const double weight = (dx ? fx : 1 - fx) * (dy ? fy : 1 - fy);
            const std::uint8_t* p = map.At(x, y);
            sum.r += weight * ToLinear(p[0]);
            sum.g += weight * ToLinear(p[1]);
            sum.b += weight * ToLinear(p[2]);
        }
    }
    return sum;
}

// The light of one point of the picture, in units of the globe's radius (y up, z towards us).
Colour Shade(const Image& map, double x, double y) {
    const double centreLongitude = 18 * kPi / 180;  // Africa and Europe face us
    const double tilt = 12 * kPi / 180;             // seen from a little north of the equator
    const double lx = -0.55, ly = 0.42, lz = 0.72;  // the sun: upper left, in front
    const double lightLength = std::sqrt(lx * lx + ly * ly + lz * lz);
    const Colour air{0.30, 0.50, 1.00};
    const double r2 = x * x + y * y;
    if (r2 > 1) {
        // A faint glow just outside the limb, on the sunny side.
        const double beyond = std::sqrt(r2) - 1;
        const double facing = std::max(0.0, (x * lx + y * ly) / std::sqrt(r2) / lightLength + 0.35);
        const double glow = 0.22 * std::exp(-beyond / 0.012) * facing;
        return {air.r * glow, air.g * glow, air.b * glow};
    }
    const double z = std::sqrt(1 - r2);
    const double wy = y * std::cos(tilt) + z * std::sin(tilt);
    const double wz = -y * std::sin(tilt) + z * std::cos(tilt);
    const double latitude = std::asin(std::clamp(wy, -1.0, 1.0));
    const double longitude = centreLongitude + std::atan2(x, wz);
    Colour ground = SampleMap(map, std::remainder(longitude, 2 * kPi), latitude);

    const double diffuse = std::max(0.0, (x * lx + y * ly + z * lz) / lightLength);
    const double lit = 0.015 + 0.985 * std::pow(diffuse, 0.9);
    // Water (blue above the rest) gets a soft highlight where the sun reflects towards us.
    const double hx = lx / lightLength, hy = ly / lightLength, hz = lz / lightLength + 1;
    const double hLength = std::sqrt(hx * hx + hy * hy + hz * hz);
    const double specular = std::pow(std::max(0.0, (x * hx + y * hy + z * hz) / hLength), 60);
    const double water = std::clamp((ground.b - std::max(ground.r, ground.g)) * 25, 0.0, 1.0);
    // The atmosphere thickens towards the limb and blues the lit side.
    const double haze = std::pow(1 - z, 2.5) * 0.55 * std::min(1.0, diffuse * 1.5 + 0.05);
    Colour result;
    result.r = ground.r * lit * (1 - haze) + air.r * haze + specular * water * 0.25;
    result.g = ground.g * lit * (1 - haze) + air.g * haze + specular * water * 0.25;
    result.b = ground.b * lit * (1 - haze) + air.b * haze + specular * water * 0.25;
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: earth_render MAP.ppm OUT.ppm SIZE\n";
        return 2;
    }
    Image map;
    if (!spindle::tools::ReadPpm(argv[1], map)) return 1;
    const int size = std::atoi(argv[3]);
    if (size < 8 || size > 4096) return 2;
    const double radius = size * 0.46;  // a black margin around the globe
    const double centre = size / 2.0;
    constexpr int kSamples = 4;  // 4 x 4 samples per pixel smooth the limb

    Image out;
    out.width = out.height = size;
    out.rgb.resize(static_cast<std::size_t>(size) * size * 3);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Colour sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = (px + (sx + 0.5) / kSamples - centre) / radius;
                    const double y = (centre - (py + (sy + 0.5) / kSamples)) / radius;
                    const Colour c = Shade(map, x, y);
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                }
            }
            constexpr double n = kSamples * kSamples;
            std::uint8_t* p = out.At(px, py);
            p[0] = ToCode(sum.r / n);
            p[1] = ToCode(sum.g / n);
            p[2] = ToCode(sum.b / n);
        }
    }
    return spindle::tools::WritePpm(argv[2], out) ? 0 : 1;
}
