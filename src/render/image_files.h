#pragma once
// The renderer's picture files: PNG for colours, plain PGM for indices.

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit RGB PNG of pixels in 0x00BBGGRR, row by row. Zlib-free: the image
// data goes into stored deflate blocks.
std::vector<std::uint8_t> EncodePng(int width, int height,
                                    const std::vector<std::uint32_t>& pixels);
// A plain PGM (P2) with maxval 255.
std::string EncodePgm(int width, int height, const std::vector<std::uint8_t>& values);

// Writes bytes to path; false, with errno's reason in error, when it cannot.
bool WriteFileBytes(const std::string& path, const void* data, std::size_t size,
                    std::string& error);
