// Plain PGM text and writing files.

#include "render/image_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

std::string EncodePgm(int width, int height, const std::vector<std::uint8_t>& values) {
    std::string out = "P2\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; ++y) {
        // Plain PGM lines stay within 70 characters.
        std::size_t lineLength = 0;
        for (int x = 0; x < width; ++x) {
            const std::string v =
                std::to_string(values[std::size_t(y) * std::size_t(width) + std::size_t(x)]);
            if (lineLength > 0 && lineLength + 1 + v.size() > 70) {
                out += '\n';
                lineLength = 0;
            } else if (lineLength > 0) {
                out += ' ';
                ++lineLength;
            }
            out += v;
            lineLength += v.size();
        }
        out += '\n';
    }
    return out;
}

bool WriteFileBytes(const std::string& path, const void* data, std::size_t size,
                    std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(data, 1, size, f) == size;
    const int writeErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        error = std::strerror(written ? errno : writeErrno);
        return false;
    }
    return true;
}
