#include "platform/qt/shell/shell_files.h"

#include "platform/framework/resources.h"
#include "platform/qt/host/image_convert.h"

#include <QBuffer>
#include <QPainter>

#include <algorithm>

ShellNames ShellNamesOf(const ShellFileType& type) {
    ShellNames names;
    names.appId = QString::fromStdString(type.appName).toLower();
    names.mimeType = QStringLiteral("application/x-") + names.appId;
    names.mimeIcon = QString(names.mimeType).replace(QLatin1Char('/'), QLatin1Char('-'));
    names.glob = QStringLiteral("*") + QString::fromStdString(type.extension).toLower();
    return names;
}

QString QuoteExecArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool plain = !argument.isEmpty();
    for (QChar c : argument)
        if (reserved.contains(c))
            plain = false;
    // A field code is for the desktop to fill in; a literal percent is doubled.
    QString text = argument;
    text.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (plain)
        return text;
    QString quoted = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return quoted;
}

namespace {

// A value of a desktop entry: backslashes and line breaks escaped.
QString EntryValue(const QString& value) {
    QString out;
    for (QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString XmlText(const QString& text) {
    return text.toHtmlEscaped();
}

} // namespace

QByteArray DesktopEntry(const ShellFileType& type, const QString& program) {
    const ShellNames names = ShellNamesOf(type);
    QString entry = QStringLiteral("[Desktop Entry]\n"
                                   "Type=Application\n"
                                   "Version=1.4\n");
    entry += QStringLiteral("Name=") + EntryValue(QString::fromStdString(type.appName)) + "\n";
    entry += QStringLiteral("GenericName=Mandelbrot Set Explorer\n"
                            "Comment=Explore the Mandelbrot set\n");
    entry += QStringLiteral("Icon=") + names.appId + "\n";
    if (program.startsWith(QLatin1Char('/')))
        entry += QStringLiteral("TryExec=") + EntryValue(program) + "\n";
    entry +=
        QStringLiteral("Exec=") + EntryValue(QuoteExecArgument(program)) + QStringLiteral(" %F\n");
    entry += QStringLiteral("Terminal=false\n"
                            "Categories=Graphics;Science;\n"
                            "Keywords=Mandelbrot;fractal;\n");
    entry += QStringLiteral("MimeType=") + names.mimeType + ";\n";
    return entry.toUtf8();
}

QByteArray MimePackage(const ShellFileType& type, bool withGlob) {
    const ShellNames names = ShellNamesOf(type);
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    xml += QStringLiteral("  <mime-type type=\"") + XmlText(names.mimeType) + "\">\n";
    xml += QStringLiteral("    <comment>") + XmlText(QString::fromStdString(type.typeName)) +
           "</comment>\n";
    xml += QStringLiteral("    <icon name=\"") + XmlText(names.mimeIcon) + "\"/>\n";
    if (withGlob)
        xml += QStringLiteral("    <glob pattern=\"") + XmlText(names.glob) + "\"/>\n";
    xml += QStringLiteral("  </mime-type>\n"
                          "</mime-info>\n");
    return xml.toUtf8();
}

const QList<int>& ShellIconSizes() {
    static const QList<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

QImage ShellIcon(const BitmapResource& icon, int size) {
    const QImage image = BitmapToImage(icon);
    if (image.isNull() || size <= 0)
        return {};
    const int side = std::max(image.width(), image.height());
    const int factor = (size + side - 1) / side;
    const QImage blocks = image.scaled(image.width() * factor, image.height() * factor,
                                       Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QImage scaled = blocks.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // The theme wants square icons of exactly that size.
    QImage square(size, size, QImage::Format_ARGB32);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    painter.end();
    return square;
}

QByteArray ShellIconPng(UINT nIconId, int size) {
    const auto& icons = AfxGetResources().icons;
    const auto it = icons.find(nIconId);
    if (it == icons.end())
        return {};
    const QImage image = ShellIcon(it->second, size);
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return png;
}
