#include "gui/picture_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <memory>

#include "gui/qt_canvas.h"
#include "platform/safe_file_writer.h"

namespace corvane {

namespace {

// Pixels of the exported drawing per inch, for the page and picture sizes.
constexpr int kExportDpi = 96;

bool writeBytes(const std::string& path, const QByteArray& bytes) {
    return writeFileSafely(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// Draws through a painter on `device`; false when painting cannot start.
bool paintOnto(QPaintDevice& device, const DrawOnto& draw) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    {
        QtCanvas canvas(painter);
        draw(canvas);
    }
    painter.end();
    return true;
}

}  // namespace

bool writePngPicture(const PictureInfo& picture, const DrawOnto& draw, const std::string& path) {
    std::unique_ptr<QtCanvas> canvas = QtCanvas::forImage(picture.width, picture.height);
    if (!canvas) return false;
    draw(*canvas);
    const QImage* image = canvas->finishImage();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image->save(&buffer, "PNG") && writeBytes(path, bytes);
}

bool writeSvgPicture(const PictureInfo& picture, const DrawOnto& draw, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(picture.width, picture.height));
    generator.setViewBox(QRect(0, 0, picture.width, picture.height));
    generator.setResolution(kExportDpi);
    generator.setTitle(QString::fromStdString(picture.title));
    generator.setDescription(QString::fromStdString(picture.description));
    return paintOnto(generator, draw) && writeBytes(path, bytes);
}

bool writePdfPicture(const PictureInfo& picture, const DrawOnto& draw, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kExportDpi);
        const QSizeF points(picture.width * 72.0 / kExportDpi, picture.height * 72.0 / kExportDpi);
        writer.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString(picture.title));
        writer.setCreator("Corvane");
        if (!paintOnto(writer, draw)) return false;
    }
    return writeBytes(path, bytes);
}

}  // namespace corvane
