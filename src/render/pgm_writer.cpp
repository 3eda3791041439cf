// Plain PGM text, a row at a time.

#include "render/image_files.h"

bool PgmWriter::Open(const std::string& path, int width, int height) {
    m_width = width;
    const std::string header =
        "P2\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    return m_file.Create(path) && m_file.Write(header.data(), header.size());
}

bool PgmWriter::WriteRow(const std::uint8_t* values) {
    m_text.clear();
    // Plain PGM lines stay within 70 characters.
    std::size_t lineLength = 0;
    for (int x = 0; x < m_width; ++x) {
        char digits[4];
        const int v = values[x];
        const std::size_t n = v >= 100 ? 3 : v >= 10 ? 2 : 1;
        for (std::size_t i = n, rest = std::size_t(v); i-- > 0; rest /= 10)
            digits[i] = char('0' + rest % 10);
        if (lineLength > 0 && lineLength + 1 + n > 70) {
            m_text += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            m_text += ' ';
            ++lineLength;
        }
        m_text.append(digits, n);
        lineLength += n;
    }
    m_text += '\n';
    return m_file.Write(m_text.data(), m_text.size());
}

bool PgmWriter::Finish() {
    return m_file.Close();
}
