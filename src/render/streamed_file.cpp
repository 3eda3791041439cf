// Files written in parts, removed again when they cannot be completed.

#include "render/image_files.h"

#include <cerrno>
#include <cstring>

StreamedFile::~StreamedFile() {
    if (m_file != nullptr) {
        // Never finished: what is there is no whole picture.
        std::fclose(m_file);
        std::remove(m_path.c_str());
    }
}

void StreamedFile::Fail(int error) {
    if (m_error.empty())
        m_error = std::strerror(error != 0 ? error : EIO);
}

bool StreamedFile::Create(const std::string& path) {
    m_path = path;
    m_error.clear();
    m_file = std::fopen(path.c_str(), "wb");
    if (m_file == nullptr)
        Fail(errno);
    return m_file != nullptr;
}

bool StreamedFile::Write(const void* data, std::size_t size) {
    if (m_file == nullptr || Failed())
        return false;
    errno = 0;
    if (std::fwrite(data, 1, size, m_file) != size)
        Fail(errno);
    return !Failed();
}

bool StreamedFile::Close() {
    if (m_file == nullptr)
        return false;
    errno = 0;
    if (std::fclose(m_file) != 0)
        Fail(errno);
    m_file = nullptr;
    if (Failed())
        std::remove(m_path.c_str());
    return !Failed();
}

void StreamedFile::Discard(const std::string& reason) {
    if (m_error.empty())
        m_error = reason;
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
        std::remove(m_path.c_str());
    }
}
