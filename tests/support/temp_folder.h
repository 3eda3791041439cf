#pragma once
// A temporary folder for one test, removed with everything in it, and the
// bytes of set files, for the tests and the fuzzers.

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include <sys/stat.h>

using Bytes = std::vector<std::uint8_t>;

// Writes bytes to path in place of what was there; false when that failed.
inline bool WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return out.good();
}

class TempFolder {
public:
    // A new folder in parent; throws when there can be none.
    explicit TempFolder(
        const std::filesystem::path& parent = std::filesystem::temp_directory_path()) {
        std::string pattern = (parent / "quirl32-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::system_error(errno, std::generic_category(),
                                    "cannot make a folder in " + parent.string());
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
        WriteBytes(path, bytes);
        return path;
    }

    static Bytes Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    static std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // How many files and folders stand directly in folder.
    static std::size_t Entries(const std::string& folder) {
        return std::size_t(std::distance(std::filesystem::directory_iterator(folder),
                                         std::filesystem::directory_iterator()));
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
