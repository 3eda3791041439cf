#pragma once
// A serialization archive over a byte buffer: doubles as 8 bytes and 32-bit
// integers as 4 bytes, little-endian, with nothing between the values.

#include "platform/files/exceptions.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CArchive {
public:
    enum Mode { load = 1, store = 0 };

    // Loading reads from bytes; storing appends to bytes.
    CArchive(std::vector<std::uint8_t>& bytes, Mode mode) : m_bytes(bytes), m_mode(mode) {}

    BOOL IsStoring() const { return m_mode == store; }
    BOOL IsLoading() const { return m_mode == load; }

    CArchive& operator<<(double v);
    CArchive& operator<<(std::int32_t v);
    // Throws CArchiveException(endOfFile) when fewer bytes remain than the value needs.
    CArchive& operator>>(double& v);
    CArchive& operator>>(std::int32_t& v);

    std::size_t Position() const { return m_pos; }

private:
    void Write(std::uint64_t bits, int size);
    std::uint64_t Read(int size);

    std::vector<std::uint8_t>& m_bytes;
    Mode m_mode;
    std::size_t m_pos = 0;
};
