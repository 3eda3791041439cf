#include "platform/files/archive.h"

#include <bit>

void CArchive::Write(std::uint64_t bits, int size) {
    if (!IsStoring())
        throw CArchiveException(CArchiveException::readOnly);
    for (int i = 0; i < size; ++i)
        m_bytes.push_back(std::uint8_t(bits >> (8 * i)));
}

std::uint64_t CArchive::Read(int size) {
    if (!IsLoading())
        throw CArchiveException(CArchiveException::writeOnly);
    if (m_bytes.size() - m_pos < std::size_t(size))
        throw CArchiveException(CArchiveException::endOfFile);
    std::uint64_t bits = 0;
    for (int i = 0; i < size; ++i)
        bits |= std::uint64_t(m_bytes[m_pos + std::size_t(i)]) << (8 * i);
    m_pos += std::size_t(size);
    return bits;
}

CArchive& CArchive::operator<<(double v) {
    Write(std::bit_cast<std::uint64_t>(v), 8);
    return *this;
}

CArchive& CArchive::operator<<(std::int32_t v) {
    Write(std::uint32_t(v), 4);
    return *this;
}

CArchive& CArchive::operator>>(double& v) {
    v = std::bit_cast<double>(Read(8));
    return *this;
}

CArchive& CArchive::operator>>(std::int32_t& v) {
    v = std::int32_t(std::uint32_t(Read(4)));
    return *this;
}
