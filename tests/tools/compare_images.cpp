// Compares two pictures pixel for pixel: exit 0 when they are equal, 1 when
// they differ (with the first difference), 2 when one cannot be read.

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: compare_images A.png B.png\n");
        return 2;
    }
    const QImage a = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
    if (a.isNull() || b.isNull()) {
        std::fprintf(stderr, "compare_images: cannot read %s\n", a.isNull() ? argv[1] : argv[2]);
        return 2;
    }
    if (a.size() != b.size()) {
        std::printf("sizes differ: %dx%d and %dx%d\n", a.width(), a.height(), b.width(),
                    b.height());
        return 1;
    }
    long differing = 0;
    int firstX = -1;
    int firstY = -1;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                if (differing++ == 0) {
                    firstX = x;
                    firstY = y;
                }
            }
    if (differing == 0) {
        std::printf("%dx%d pictures are equal\n", a.width(), a.height());
        return 0;
    }
    std::printf("%ld pixels differ; the first at (%d, %d): #%06x and #%06x\n", differing, firstX,
                firstY, a.pixel(firstX, firstY) & 0xFFFFFFu, b.pixel(firstX, firstY) & 0xFFFFFFu);
    return 1;
}
