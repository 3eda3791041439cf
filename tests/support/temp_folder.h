#pragma once
// A temporary folder for one test, removed with everything in it, and the
// bytes of set files.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>

using Bytes = std::vector<std::uint8_t>;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quirl32-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
        // Open to every user: some tests look at it as an unprivileged one.
        chmod(m_path.c_str(), 0777);
    }
    ~TempFolder() {
        std::error_code ignored;
        // Give back write permission where a test took it, so that all goes.
        for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
            if (it->is_directory(ignored))
                chmod(it->path().c_str(), 0777);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name) const { return m_path + "/" + name; }

    std::string Write(const std::string& name, const Bytes& bytes) const {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    static Bytes Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string m_path;
};

// A set file's 40 bytes: four doubles and two 32-bit integers, little-endian
// as on the machines we build for.
inline Bytes SetFileBytes(double xMin, double xMax, double yMin, double yMax,
                          std::int32_t iterations, std::int32_t randomPoints) {
    Bytes bytes(40);
    const double extents[4] = {xMin, xMax, yMin, yMax};
    std::memcpy(bytes.data(), extents, sizeof extents);
    std::memcpy(bytes.data() + 32, &iterations, 4);
    std::memcpy(bytes.data() + 36, &randomPoints, 4);
    return bytes;
}
