// PNG written as it comes: the header, the image data in IDAT chunks as
// deflate fills them, and the end.

#include "render/image_files.h"

#include <zlib.h>

#include <cstring>

namespace {

// Quick and still small: pictures of the set are mostly runs of one colour.
constexpr int kLevel = 3;
// Compressed bytes per IDAT chunk.
constexpr std::size_t kChunkSize = 1 << 18;

void PutU32(std::uint8_t* at, std::uint32_t v) {
    at[0] = std::uint8_t(v >> 24);
    at[1] = std::uint8_t(v >> 16);
    at[2] = std::uint8_t(v >> 8);
    at[3] = std::uint8_t(v);
}

} // namespace

struct PngWriter::Stream {
    z_stream z{};
};

PngWriter::PngWriter() = default;

PngWriter::~PngWriter() {
    if (m_pStream != nullptr)
        deflateEnd(&m_pStream->z);
    delete m_pStream;
}

bool PngWriter::PutChunk(const char type[4], const std::uint8_t* data, std::size_t size) {
    std::uint8_t head[8];
    PutU32(head, std::uint32_t(size));
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, head + 4, 4);
    if (size > 0)
        crc = crc32(crc, data, uInt(size));
    std::uint8_t tail[4];
    PutU32(tail, std::uint32_t(crc));
    return m_file.Write(head, 8) && (size == 0 || m_file.Write(data, size)) &&
           m_file.Write(tail, 4);
}

bool PngWriter::Open(const std::string& path, int width, int height) {
    m_width = width;
    m_height = height;
    m_rows = 0;
    m_row.assign(std::size_t(width) * 3 + 1, 0); // each row starts with filter 0, none
    m_out.resize(kChunkSize);
    m_pStream = new Stream;
    if (deflateInit(&m_pStream->z, kLevel) != Z_OK) {
        delete m_pStream;
        m_pStream = nullptr;
        m_file.Discard("the image data could not be compressed");
        return false;
    }
    m_pStream->z.next_out = m_out.data();
    m_pStream->z.avail_out = uInt(m_out.size());

    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::uint8_t header[13];
    PutU32(header, std::uint32_t(width));
    PutU32(header + 4, std::uint32_t(height));
    header[8] = 8;  // bits per sample
    header[9] = 2;  // RGB
    header[10] = 0; // deflate
    header[11] = 0; // adaptive filters
    header[12] = 0; // no interlace
    return m_file.Create(path) && m_file.Write(signature, 8) && PutChunk("IHDR", header, 13);
}

bool PngWriter::Deflate(int flush) {
    z_stream& z = m_pStream->z;
    for (;;) {
        const int result = deflate(&z, flush);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            return false;
        const bool full = z.avail_out == 0;
        if (full || result == Z_STREAM_END) {
            const std::size_t size = m_out.size() - z.avail_out;
            if (size > 0 && !PutChunk("IDAT", m_out.data(), size))
                return false;
            z.next_out = m_out.data();
            z.avail_out = uInt(m_out.size());
        }
        if (result == Z_STREAM_END)
            return true;
        // More input is needed, or the output is all out.
        if (!full && z.avail_in == 0)
            return flush != Z_FINISH;
    }
}

bool PngWriter::WriteRow(const std::uint32_t* pixels) {
    if (m_pStream == nullptr || m_file.Failed() || m_rows >= m_height)
        return false;
    std::uint8_t* out = m_row.data() + 1;
    for (int x = 0; x < m_width; ++x) {
        const std::uint32_t c = pixels[x];
        *out++ = std::uint8_t(c);
        *out++ = std::uint8_t(c >> 8);
        *out++ = std::uint8_t(c >> 16);
    }
    ++m_rows;
    m_pStream->z.next_in = m_row.data();
    m_pStream->z.avail_in = uInt(m_row.size());
    return Deflate(Z_NO_FLUSH);
}

bool PngWriter::Finish() {
    if (m_rows != m_height) {
        // A picture with rows missing is no picture.
        m_file.Discard("not every row was written");
        return false;
    }
    if (m_pStream == nullptr || !Deflate(Z_FINISH) || !PutChunk("IEND", nullptr, 0)) {
        m_file.Discard("the image data could not be compressed");
        return false;
    }
    return m_file.Close();
}
