// Draws Corvel's please-wait animation and writes it as an RLE8 AVI file:
// twelve dots on a ring, a bright one going round with a fading tail.
//
//     mkwaitavi OUTPUT.AVI

#include "AviWriter.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>

namespace {

constexpr int kSide = 48;
constexpr int kDots = 12;
constexpr int kTail = 5;
constexpr double kRingRadius = 17.0;
constexpr double kDotRadius = 3.6;
constexpr int kMicroSecPerFrame = 83333;

// Index 0 is the background (the top-left pixel, which the indicator shows
// transparent); then the dim dot and the tail from bright to dim.
CAviImage Palette() {
    CAviImage image;
    image.nWidth = kSide;
    image.nHeight = kSide;
    image.nMicroSecPerFrame = kMicroSecPerFrame;
    image.anPalette = {0xF0F0F0, 0xC8CDD4};
    const int anBright[3] = {0x1F, 0x5F, 0xB4};
    const int anDim[3] = {0xC8, 0xCD, 0xD4};
    for (int i = 0; i < kTail; ++i) {
        uint32_t nColour = 0;
        for (int c = 0; c < 3; ++c) {
            int nValue = anBright[c] + (anDim[c] - anBright[c]) * i / kTail;
            nColour = nColour << 8 | static_cast<uint32_t>(nValue);
        }
        image.anPalette.push_back(nColour);
    }
    return image;
}

// The palette index of dot d when the head stands at dot nHead.
uint8_t DotColour(int nDot, int nHead) {
    int nBehind = (nHead - nDot + kDots) % kDots;
    return static_cast<uint8_t>(nBehind < kTail ? 2 + nBehind : 1);
}

std::vector<uint8_t> Frame(int nHead) {
    std::vector<uint8_t> anPixels(kSide * kSide, 0);
    const double dCentre = (kSide - 1) / 2.0;
    for (int nDot = 0; nDot < kDots; ++nDot) {
        double dAngle = 2 * std::numbers::pi * nDot / kDots - std::numbers::pi / 2;
        double dX = dCentre + kRingRadius * std::cos(dAngle);
        double dY = dCentre + kRingRadius * std::sin(dAngle);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                if (std::hypot(x - dX, y - dY) <= kDotRadius)
                    anPixels[y * kSide + x] = DotColour(nDot, nHead);
            }
        }
    }
    return anPixels;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkwaitavi OUTPUT.AVI\n");
        return 2;
    }
    CAviImage image = Palette();
    for (int nHead = 0; nHead < kDots; ++nHead)
        image.aFrames.push_back(Frame(nHead));
    std::ofstream file(argv[1], std::ios::binary);
    file << WriteAvi(image, true);
    file.close();
    if (!file) {
        std::fprintf(stderr, "mkwaitavi: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
