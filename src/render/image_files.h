#pragma once
// The renderer's picture files, written row by row so that no copy of the
// picture is held: PNG for colours, plain PGM for indices. A file that cannot
// be written completely is removed again.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A file written in parts; the first failure is kept.
class StreamedFile {
public:
    StreamedFile() = default;
    ~StreamedFile();
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    // Creates or truncates path; false when it cannot.
    bool Create(const std::string& path);
    bool Write(const void* data, std::size_t size);
    // Closes the file; false, removing it, when any write failed.
    bool Close();
    // Closes and removes the file, with reason as the error if there is none.
    void Discard(const std::string& reason);
    // Why the file could not be written (the system's reason).
    const std::string& Error() const { return m_error; }
    bool Failed() const { return !m_error.empty(); }

private:
    void Fail(int error);

    std::FILE* m_file = nullptr;
    std::string m_path;
    std::string m_error;
};

// An 8-bit RGB PNG, its image data compressed with deflate as the rows come.
class PngWriter {
public:
    PngWriter();
    ~PngWriter();
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    // Creates the file and writes the header.
    bool Open(const std::string& path, int width, int height);
    // The next row: width pixels in 0x00BBGGRR.
    bool WriteRow(const std::uint32_t* pixels);
    // The rest of the image data and the end; every row must have come.
    bool Finish();
    const std::string& Error() const { return m_file.Error(); }

private:
    bool Deflate(int flush);
    bool PutChunk(const char type[4], const std::uint8_t* data, std::size_t size);

    StreamedFile m_file;
    struct Stream;
    Stream* m_pStream = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_rows = 0;
    std::vector<std::uint8_t> m_row;
    std::vector<std::uint8_t> m_out;
};

// A plain PGM (P2) with maxval 255, lines of at most 70 characters.
class PgmWriter {
public:
    bool Open(const std::string& path, int width, int height);
    // The next row: width values.
    bool WriteRow(const std::uint8_t* values);
    bool Finish();
    const std::string& Error() const { return m_file.Error(); }

private:
    StreamedFile m_file;
    int m_width = 0;
    std::string m_text;
};
