// PNG through libpng, a row at a time: the header and the text chunks, the
// image data as the rows come, and the end. libpng reports its errors by a
// jump back to the call that failed (see Guarded).

#include "render/image_files.h"

#include <png.h>

#include <csetjmp>

namespace {

// Quick and still small: pictures of the set are mostly runs of one colour.
constexpr int kLevel = 3;
// Compressed bytes per IDAT chunk.
constexpr std::size_t kChunkSize = 1 << 18;

// Runs step, a few calls into libpng; false when libpng reported an error,
// which jumps back here. No object with a destructor may live in the frames
// between this one and libpng's.
template <typename Step> bool Guarded(png_structp png, const Step& step) {
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    step();
    return true;
}

} // namespace

struct PngWriter::Png {
    png_structp png = nullptr;
    png_infop info = nullptr;
    StreamedFile* file = nullptr;
    std::string error; // libpng's last message

    ~Png() {
        if (png != nullptr)
            png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    }

    static void OnError(png_structp png, png_const_charp message) {
        auto* self = static_cast<Png*>(png_get_error_ptr(png));
        self->error = message;
        png_longjmp(png, 1);
    }
    // libpng's warnings are about its own use, not the picture: not shown.
    static void OnWarning(png_structp, png_const_charp) {}
    static void OnWrite(png_structp png, png_bytep data, std::size_t size) {
        auto* self = static_cast<Png*>(png_get_io_ptr(png));
        if (!self->file->Write(data, size))
            png_error(png, "the file could not be written");
    }
    static void OnFlush(png_structp) {}
};

PngWriter::PngWriter() = default;

PngWriter::~PngWriter() = default;

void PngWriter::Fail() {
    m_file.Discard(m_pPng != nullptr && !m_pPng->error.empty() ? m_pPng->error
                                                               : "libpng could not write it");
}

bool PngWriter::Open(const std::string& path, int width, int height,
                     const std::vector<PngText>& texts) {
    m_width = width;
    m_height = height;
    m_rows = 0;
    m_row.assign(std::size_t(width) * 3, 0);
    if (!m_file.Create(path))
        return false;
    m_pPng = std::make_unique<Png>();
    Png& p = *m_pPng;
    p.file = &m_file;
    p.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &p, Png::OnError, Png::OnWarning);
    if (p.png != nullptr)
        p.info = png_create_info_struct(p.png);
    if (p.info == nullptr) {
        m_file.Discard("out of memory");
        return false;
    }
    png_set_write_fn(p.png, &p, Png::OnWrite, Png::OnFlush);

    std::vector<png_text> chunks(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        chunks[i].compression = PNG_TEXT_COMPRESSION_NONE;
        chunks[i].key = const_cast<char*>(texts[i].key.c_str());
        chunks[i].text = const_cast<char*>(texts[i].text.c_str());
        chunks[i].text_length = texts[i].text.size();
    }
    const bool ok = Guarded(p.png, [&] {
        png_set_IHDR(p.png, p.info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(p.png, kLevel);
        png_set_compression_buffer_size(p.png, kChunkSize);
        png_set_filter(p.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        if (!chunks.empty())
            png_set_text(p.png, p.info, chunks.data(), int(chunks.size()));
        png_write_info(p.png, p.info);
    });
    if (!ok)
        Fail();
    return ok;
}

bool PngWriter::WriteRow(const std::uint32_t* pixels) {
    if (m_pPng == nullptr || m_file.Failed() || m_rows >= m_height)
        return false;
    std::uint8_t* out = m_row.data();
    for (int x = 0; x < m_width; ++x) {
        const std::uint32_t c = pixels[x];
        *out++ = std::uint8_t(c);
        *out++ = std::uint8_t(c >> 8);
        *out++ = std::uint8_t(c >> 16);
    }
    ++m_rows;
    png_structp png = m_pPng->png;
    const png_bytep row = m_row.data();
    if (Guarded(png, [&] { png_write_row(png, row); }))
        return true;
    Fail();
    return false;
}

bool PngWriter::Finish() {
    if (m_pPng == nullptr || m_file.Failed())
        return false;
    if (m_rows != m_height) {
        // A picture with rows missing is no picture.
        m_file.Discard("not every row was written");
        return false;
    }
    png_structp png = m_pPng->png;
    if (!Guarded(png, [&] { png_write_end(png, nullptr); })) {
        Fail();
        return false;
    }
    return m_file.Close();
}
