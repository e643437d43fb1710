#include "print/BlackOnWhiteStretch.h"

#include <vector>

namespace veldrin {
namespace {

// For each of `destination` cells, the first source cell and how many source cells it covers
// (at least one: an enlarged copy repeats cells).
struct Span {
    int first;
    int count;
};

std::vector<Span> SpansFor(int sourceFirst, int sourceCount, int destination) {
    std::vector<Span> spans(static_cast<std::size_t>(destination));
    for (int d = 0; d < destination; ++d) {
        const auto begin = static_cast<int>(static_cast<long long>(d) * sourceCount / destination);
        const auto end = static_cast<int>(static_cast<long long>(d + 1) * sourceCount / destination);
        spans[static_cast<std::size_t>(d)] = {sourceFirst + begin, end > begin ? end - begin : 1};
    }
    return spans;
}

}  // namespace

QImage StretchBlackOnWhite(const QImage& image, QRect source, QSize size) {
    QImage result(size, QImage::Format_RGB32);
    result.fill(Qt::white);
    source = source.intersected(image.rect());
    if (source.isEmpty() || size.isEmpty())
        return result;
    const QImage rgb =
        image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    const std::vector<Span> columns = SpansFor(source.left(), source.width(), size.width());
    const std::vector<Span> rows = SpansFor(source.top(), source.height(), size.height());
    std::vector<QRgb> line(static_cast<std::size_t>(size.width()));
    for (int y = 0; y < size.height(); ++y) {
        const Span rowSpan = rows[static_cast<std::size_t>(y)];
        std::fill(line.begin(), line.end(), 0xFFFFFFFFu);
        for (int sy = rowSpan.first; sy < rowSpan.first + rowSpan.count; ++sy) {
            const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constScanLine(sy));
            for (int x = 0; x < size.width(); ++x) {
                const Span columnSpan = columns[static_cast<std::size_t>(x)];
                QRgb value = line[static_cast<std::size_t>(x)];
                for (int sx = columnSpan.first; sx < columnSpan.first + columnSpan.count; ++sx)
                    value &= pixels[sx];
                line[static_cast<std::size_t>(x)] = value;
            }
        }
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        std::copy(line.begin(), line.end(), out);
    }
    return result;
}

}  // namespace veldrin
