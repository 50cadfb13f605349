#include "bench/bench_screen.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <utility>
#include <vector>

#include "shot/bmp.h"

namespace {

class Random {
  public:
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

  private:
    std::uint32_t state_ = 2463534242u;
};

std::uint8_t Clamp(int value) {
    return std::uint8_t(std::clamp(value, 0, 255));
}

// A game-like screen, in picture coordinates (top row first): a sky and ground gradient, a sun,
// buildings with lit windows, a dark HUD panel with rows of text-like glyphs, and mild noise.
class ScreenPainter {
  public:
    ScreenPainter(int width, int height)
        : width_(width), height_(height), pixels_(std::size_t(width) * height * 3) {}

    std::vector<std::uint8_t> Paint() {
        Background();
        Sun();
        Buildings();
        HudText();
        Noise();
        return std::move(pixels_);
    }

  private:
    void Set(int x, int y, int b, int g, int r) {
        std::uint8_t* p = &pixels_[(std::size_t(y) * width_ + x) * 3];
        p[0] = Clamp(b);
        p[1] = Clamp(g);
        p[2] = Clamp(r);
    }
    void Fill(int x0, int y0, int w, int h, int b, int g, int r) {
        for (int y = std::max(0, y0); y < std::min(height_, y0 + h); ++y)
            for (int x = std::max(0, x0); x < std::min(width_, x0 + w); ++x) Set(x, y, b, g, r);
    }
    void Background() {
        const int horizon = height_ * 3 / 5;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                if (y < horizon)
                    Set(x, y, 230 - 60 * y / horizon, 160 + 40 * y / horizon,
                        90 + 80 * y / horizon);
                else
                    Set(x, y, 40 + 20 * x / width_, 90 + 50 * (y - horizon) / (height_ - horizon),
                        60 + 30 * x / width_);
            }
    }
    void Sun() {
        const int cx = width_ * 3 / 4, cy = height_ / 5, radius = height_ / 12;
        for (int y = cy - radius; y <= cy + radius; ++y)
            for (int x = cx - radius; x <= cx + radius; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius)
                    Set(x, y, 120, 230, 255);
    }
    void Buildings() {
        const int unit = height_ / 54;
        for (int i = 0; i < 14; ++i) {
            const int w = unit * (5 + int(random_.Next() % 6)),
                      h = unit * (12 + int(random_.Next() % 20));
            const int x0 = i * width_ / 14, y0 = height_ * 3 / 5 - h;
            const int shade = 50 + int(random_.Next() % 60);
            Fill(x0, y0, w, h, shade + 20, shade, shade - 10);
            for (int wy = y0 + unit; wy + unit < y0 + h; wy += 2 * unit)
                for (int wx = x0 + unit; wx + unit < x0 + w; wx += 2 * unit)
                    if (random_.Next() % 3 != 0) Fill(wx, wy, unit, unit, 90, 200, 240);
        }
    }
    void HudText() {
        const int scale = std::max(1, height_ / 540);
        const int panelX = width_ / 40, panelY = height_ * 3 / 4;
        const int panelW = width_ / 3, panelH = height_ / 5;
        for (int y = panelY; y < panelY + panelH; ++y)
            for (int x = panelX; x < panelX + panelW; ++x) {
                std::uint8_t* p = &pixels_[(std::size_t(y) * width_ + x) * 3];
                Set(x, y, p[0] / 3, p[1] / 3, p[2] / 3);
            }
        for (int line = 0; line * 10 * scale + 12 * scale < panelH; ++line)
            for (int glyph = 0; (glyph + 2) * 6 * scale < panelW; ++glyph)
                Glyph(panelX + (glyph + 1) * 6 * scale, panelY + (line + 1) * 10 * scale, scale);
    }
    // A 5 x 7 pattern of random strokes, like a letter of a small font.
    void Glyph(int x0, int y0, int scale) {
        if (random_.Next() % 7 == 0) return;  // a space between words
        const std::uint32_t shape = random_.Next();
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 5; ++column)
                if (shape >> ((row * 5 + column) % 32) & 1)
                    Fill(x0 + column * scale, y0 + row * scale, scale, scale, 235, 240, 240);
    }
    void Noise() {
        for (std::uint8_t& sample : pixels_) sample = Clamp(sample + int(random_.Next() % 7) - 3);
    }

    int width_, height_;
    std::vector<std::uint8_t> pixels_;
    Random random_;
};

}  // namespace

void WriteScreenBmp(const std::filesystem::path& path, int width, int height) {
    const std::vector<std::uint8_t> topDown = ScreenPainter(width, height).Paint();
    // A DIB keeps its rows bottom-up.
    const std::size_t rowBytes = std::size_t(width) * 3;
    std::vector<std::uint8_t> bits(topDown.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(&topDown[std::size_t(height - 1 - y) * rowBytes], rowBytes,
                    &bits[std::size_t(y) * rowBytes]);
    dhsu::BitmapView view{width, height, 24, {}, bits.data(), rowBytes};
    class FileSink : public dhsu::ByteSink {
      public:
        explicit FileSink(const std::filesystem::path& path) : out_(path, std::ios::binary) {}
        void Write(const std::uint8_t* data, std::size_t size) override {
            out_.write(reinterpret_cast<const char*>(data), std::streamsize(size));
        }

      private:
        std::ofstream out_;
    } sink(path);
    dhsu::EncodeBmp(view, sink);
}
