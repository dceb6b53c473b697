// Renders Kavu's SVG drawings (its icon, the help pages' pictures) at build time, so that the
// program itself reads only PNG, which Qt decodes without any image plugin, or pictures stored as
// their pixels, which it shows without decoding at all (the main window's icons, at start-up).
//   render_svg SVG OUT.png WIDTHxHEIGHT      one picture of that size (a single number: a square)
//   render_svg SVG OUT.ico SIZE...           a Windows icon with a square picture of each size
//   render_svg SVG OUT.pixels WIDTHxHEIGHT   one picture of that size, as its pixels
//   render_svg PICTURE.png OUT.pixels        a PNG picture as its pixels
// A .pixels file: "KVPX", the width and the height (4 bytes each), then a 4-byte word per pixel,
// premultiplied ARGB, row by row; every number little-endian.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSize>
#include <QSvgRenderer>

#include <cstdio>
#include <optional>

namespace {

constexpr int kLargestPicture = 4096;
// The directory of an icon file has one byte per side, 0 meaning 256.
constexpr int kLargestIcon = 256;

// "600x440" or "48" (a square); nothing when the text is not such a size up to the largest.
std::optional<QSize> readSize(const QString& text, int largest) {
    const QStringList sides = text.split(QLatin1Char('x'));
    if (sides.size() > 2) {
        return std::nullopt;
    }
    bool widthRead = false;
    bool heightRead = false;
    const int width = sides.first().toInt(&widthRead);
    const int height = sides.last().toInt(&heightRead);
    if (!widthRead || !heightRead || width < 1 || height < 1 || width > largest ||
        height > largest) {
        return std::nullopt;
    }
    return QSize(width, height);
}

QImage render(QSvgRenderer& drawing, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing.render(&painter);
    painter.end();
    return image;
}

QByteArray pngOf(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

void appendLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int byte = 0; byte < bytes; ++byte) {
        out.append(static_cast<char>((value >> (8 * byte)) & 0xff));
    }
}

// A Windows icon file whose pictures are stored as PNG (as Windows reads them since Vista): the
// header, a 16-byte directory entry per picture, then the pictures in the same order.
QByteArray iconFile(const QList<QImage>& pictures) {
    constexpr int kHeaderSize = 6;
    constexpr int kEntrySize = 16;
    QList<QByteArray> pngs;
    for (const QImage& picture : pictures) {
        pngs.append(pngOf(picture));
    }
    QByteArray out;
    appendLittleEndian(out, 0, 2); // reserved
    appendLittleEndian(out, 1, 2); // an icon, not a cursor
    appendLittleEndian(out, static_cast<quint32>(pictures.size()), 2);
    auto offset = static_cast<quint32>(kHeaderSize + kEntrySize * pictures.size());
    for (qsizetype index = 0; index < pictures.size(); ++index) {
        const QSize size = pictures[index].size();
        appendLittleEndian(out, size.width() == kLargestIcon ? 0 : size.width(), 1);
        appendLittleEndian(out, size.height() == kLargestIcon ? 0 : size.height(), 1);
        appendLittleEndian(out, 0, 1);  // no palette
        appendLittleEndian(out, 0, 1);  // reserved
        appendLittleEndian(out, 1, 2);  // colour planes
        appendLittleEndian(out, 32, 2); // bits per pixel
        appendLittleEndian(out, static_cast<quint32>(pngs[index].size()), 4);
        appendLittleEndian(out, offset, 4);
        offset += static_cast<quint32>(pngs[index].size());
    }
    for (const QByteArray& png : pngs) {
        out.append(png);
    }
    return out;
}

QByteArray pixelsOf(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray out("KVPX");
    appendLittleEndian(out, static_cast<quint32>(image.width()), 4);
    appendLittleEndian(out, static_cast<quint32>(image.height()), 4);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            appendLittleEndian(out, row[x], 4);
        }
    }
    return out;
}

bool writeFile(const QString& path, const QByteArray& contents) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() &&
           file.commit();
}

int usage() {
    std::fprintf(stderr, "usage: render_svg SVG OUT.png WIDTHxHEIGHT\n"
                         "       render_svg SVG OUT.ico SIZE...   (sizes 1 to 256)\n"
                         "       render_svg SVG OUT.pixels WIDTHxHEIGHT\n"
                         "       render_svg PICTURE.png OUT.pixels\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        return usage();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    const QString& source = arguments[1];
    const QString& target = arguments[2];
    const bool icon = target.endsWith(QLatin1String(".ico"));
    const bool pixels = target.endsWith(QLatin1String(".pixels"));
    if (pixels && source.endsWith(QLatin1String(".png")) && arguments.size() == 3) {
        const QImage picture(source, "PNG");
        if (picture.isNull()) {
            std::fprintf(stderr, "render_svg: cannot read %s\n", qPrintable(source));
            return 1;
        }
        if (!writeFile(target, pixelsOf(picture))) {
            std::fprintf(stderr, "render_svg: cannot write %s\n", qPrintable(target));
            return 1;
        }
        return 0;
    }
    if (arguments.size() < 4 || (!icon && ((!pixels && !target.endsWith(QLatin1String(".png"))) ||
                                           arguments.size() != 4))) {
        return usage();
    }

    QSvgRenderer drawing(source);
    if (!drawing.isValid()) {
        std::fprintf(stderr, "render_svg: cannot read %s\n", qPrintable(source));
        return 1;
    }
    QList<QImage> pictures;
    for (const QString& text : arguments.mid(3)) {
        const std::optional<QSize> size = readSize(text, icon ? kLargestIcon : kLargestPicture);
        if (!size || (icon && size->width() != size->height())) {
            std::fprintf(stderr, "render_svg: not a size: %s\n", qPrintable(text));
            return 2;
        }
        pictures.append(render(drawing, *size));
    }
    const QByteArray contents = icon     ? iconFile(pictures)
                                : pixels ? pixelsOf(pictures.first())
                                         : pngOf(pictures.first());
    if (contents.isEmpty() || !writeFile(target, contents)) {
        std::fprintf(stderr, "render_svg: cannot write %s\n", qPrintable(target));
        return 1;
    }
    return 0;
}
