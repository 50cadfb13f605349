#pragma once
// A screenshot-like picture for the benchmarks: smooth gradients, hard-edged shapes, small
// text-like detail and mild noise, the mix a game screen gives a JPEG encoder.

#include <filesystem>

// Writes it as a 24-bit bottom-up BMP file, as the program records a shot.
void WriteScreenBmp(const std::filesystem::path& path, int width, int height);
