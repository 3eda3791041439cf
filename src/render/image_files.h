#pragma once
// The renderer's picture files, written row by row so that no copy of the
// picture is held: PNG for colours, plain PGM for indices. A file that cannot
// be written completely is removed again.

#include <cstdint>
#include <cstdio>
#include <memory>
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

// One text chunk of a PNG: a keyword (Latin-1, 1 to 79 characters) and its text.
struct PngText {
    std::string key;
    std::string text;
};

// An 8-bit RGB PNG written by libpng, the image data compressed as the rows
// come.
class PngWriter {
public:
    PngWriter();
    ~PngWriter();
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    // Creates the file and writes the header and the text chunks.
    bool Open(const std::string& path, int width, int height,
              const std::vector<PngText>& texts = {});
    // The next row: width pixels in 0x00BBGGRR.
    bool WriteRow(const std::uint32_t* pixels);
    // The end of the image data and of the file; every row must have come.
    bool Finish();
    // Why the picture could not be written: the system's reason when the
    // file could not be written, else libpng's.
    const std::string& Error() const { return m_file.Error(); }

private:
    struct Png;
    // Removes the file, with libpng's reason unless the file has one.
    void Fail();

    StreamedFile m_file; // what libpng writes goes here
    std::unique_ptr<Png> m_pPng;
    int m_width = 0;
    int m_height = 0;
    int m_rows = 0;
    std::vector<std::uint8_t> m_row;
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
