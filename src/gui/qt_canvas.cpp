#include "gui/qt_canvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <climits>
#include <cmath>

namespace corvane {

namespace {

QPolygon qtPolygon(const std::vector<Point>& points) {
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const Point& point : points) polygon.append(QPoint(point.x, point.y));
    return polygon;
}

// The pixels from left to right - 1 and top to bottom - 1 (none when empty).
QRect qtRect(const Rect& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return QRect();
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

}  // namespace

int emPixelSize(int cellHeight) {
    const long long em = (static_cast<long long>(cellHeight) * 2048 + 1160) / 2320;
    return static_cast<int>(std::clamp<long long>(em, 1, 1 << 20));
}

QFont qtFont(const Font& font) {
    QFont qfont(QString::fromStdString(font.face));
    qfont.setStyleHint(QFont::TypeWriter);
    qfont.setPixelSize(emPixelSize(font.pixelHeight));
    qfont.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    qfont.setKerning(false);
    return qfont;
}

QColor qtColor(Color color) {
    return QColor(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
}

QtCanvas::QtCanvas(QPainter& painter) : painter_(&painter), restoresPainter_(true) {
    // The painter gets back its own pen, brush, font and clip when the canvas goes.
    painter_->save();
    setUp();
}

QtCanvas::QtCanvas(std::unique_ptr<QImage> image)
    : image_(std::move(image)), ownPainter_(std::make_unique<QPainter>(image_.get())) {
    painter_ = ownPainter_.get();
    setUp();
}

QtCanvas::~QtCanvas() {
    if (restoresPainter_ && painter_->isActive()) painter_->restore();
    if (ownPainter_ && ownPainter_->isActive()) ownPainter_->end();
}

void QtCanvas::setUp() {
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    setPen(Pen{});
    setBrush(Brush{});
    setFont(Font{});
}

std::unique_ptr<QtCanvas> QtCanvas::forImage(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    auto image = std::make_unique<QImage>(width, height, QImage::Format_RGB32);
    if (image->isNull()) return nullptr;
    image->fill(Qt::white);
    return std::unique_ptr<QtCanvas>(new QtCanvas(std::move(image)));
}

const QImage* QtCanvas::finishImage() {
    if (ownPainter_ && ownPainter_->isActive()) ownPainter_->end();
    return image_.get();
}

QImage* QtCanvas::paintedImage() const {
    QPaintDevice* device = painter_->device();
    if (device == nullptr || device->devType() != QInternal::Image) return nullptr;
    return static_cast<QImage*>(device);
}

void QtCanvas::setPen(const Pen& pen) {
    if (pen.style == PenStyle::Null) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    QPen qpen(qtColor(pen.color));
    qpen.setWidth(std::max(pen.width, 0));
    if (pen.style == PenStyle::Dot) {
        qpen.setStyle(Qt::DotLine);
        qpen.setCapStyle(Qt::FlatCap);
    } else if (pen.width >= 2) {
        // Wide lines end and join round, as wide device pens do.
        qpen.setCapStyle(Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
    } else {
        qpen.setCapStyle(Qt::SquareCap);
        qpen.setJoinStyle(Qt::MiterJoin);
    }
    painter_->setPen(qpen);
}

void QtCanvas::setBrush(const Brush& brush) {
    if (brush.style == BrushStyle::Null) {
        painter_->setBrush(Qt::NoBrush);
    } else {
        painter_->setBrush(qtColor(brush.color));
    }
}

void QtCanvas::setFont(const Font& font) {
    if (font == font_ && baseline_ > 0) return;
    font_ = font;
    qfont_ = qtFont(font);
    painter_->setFont(qfont_);
    // The baseline divides the cell as the font's ascent and descent do.
    const QFontMetricsF metrics(qfont_);
    const double total = metrics.ascent() + metrics.descent();
    const double ratio = total > 0 ? metrics.ascent() / total : 0.75;
    baseline_ = std::max(1e-6, ratio * std::max(font.pixelHeight, 0));
}

void QtCanvas::setTextBackground(bool opaque, Color background) {
    opaqueText_ = opaque;
    textBackground_ = background;
}

TextSize QtCanvas::textExtent(std::string_view text) {
    const TextExtent extent = metrics_.extent(font_.face, font_.pixelHeight, text);
    return {extent.width, extent.height};
}

void QtCanvas::drawLine(Point from, Point to) {
    painter_->drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void QtCanvas::drawPolyline(const std::vector<Point>& points) {
    if (points.size() < 2) return;
    painter_->drawPolyline(qtPolygon(points));
}

void QtCanvas::drawPolygon(const std::vector<Point>& points) {
    if (points.size() < 2) return;
    painter_->drawPolygon(qtPolygon(points), Qt::OddEvenFill);
}

void QtCanvas::drawRectangle(const Rect& rect) {
    drawPolygon({{rect.left, rect.top},
                 {rect.right, rect.top},
                 {rect.right, rect.bottom},
                 {rect.left, rect.bottom}});
}

void QtCanvas::drawEllipse(const Rect& bounds) {
    const long long width = static_cast<long long>(bounds.right) - bounds.left;
    const long long height = static_cast<long long>(bounds.bottom) - bounds.top;
    if (width > INT_MAX || height > INT_MAX || width < INT_MIN || height < INT_MIN) return;
    painter_->drawEllipse(
        QRect(bounds.left, bounds.top, static_cast<int>(width), static_cast<int>(height)));
}

void QtCanvas::fillRectangle(const Rect& rect, Color color) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    painter_->fillRect(qtRect(rect), qtColor(color));
}

void QtCanvas::drawText(Point origin, std::string_view text) {
    if (text.empty()) return;
    const int advance = TextMetrics::columnAdvance(font_.pixelHeight);
    if (opaqueText_) {
        const TextSize size = textExtent(text);
        const auto edge = [](int from, int length) {
            return static_cast<int>(
                std::min<long long>(static_cast<long long>(from) + length, INT_MAX));
        };
        fillRectangle({origin.x, origin.y, edge(origin.x, size.width), edge(origin.y, size.height)},
                      textBackground_);
    }
    const QPen pen = painter_->pen();
    painter_->setPen(textColor_);
    // Each character at its metric column, so drawn text is exactly as wide
    // as the layout measured it.
    long long column = 0;
    const double baseline = origin.y + baseline_;
    for (const TextCell& cell : textCells(text)) {
        if (cell.columns > 0) {
            const char32_t codePoint = cell.codePoint;
            const double x = static_cast<double>(origin.x) + static_cast<double>(column) * advance;
            painter_->drawText(QPointF(x, baseline), QString::fromUcs4(&codePoint, 1));
        }
        column += cell.columns;
    }
    painter_->setPen(pen);
}

void QtCanvas::setClipRect(const Rect& rect) {
    painter_->setClipRect(qtRect(rect));
}

void QtCanvas::clearClip() {
    painter_->setClipping(false);
}

void QtCanvas::lighten(const Rect& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    QImage* image = paintedImage();
    if (image == nullptr || image->format() != QImage::Format_RGB32) {
        painter_->fillRect(qtRect(rect), QColor(255, 255, 255, 128));
        return;
    }
    const QRect area = qtRect(rect).intersected(image->rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image->scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = line[x];
            line[x] =
                qRgb((qRed(pixel) + 255) / 2, (qGreen(pixel) + 255) / 2, (qBlue(pixel) + 255) / 2);
        }
    }
}

std::unique_ptr<Canvas> QtCanvas::createBuffer(int width, int height) {
    return forImage(width, height);
}

void QtCanvas::drawBuffer(const Canvas& buffer, Point at) {
    const auto* source = dynamic_cast<const QtCanvas*>(&buffer);
    if (source == nullptr || !source->image_) return;
    if (source->ownPainter_ && source->ownPainter_->isActive()) source->ownPainter_->end();
    painter_->drawImage(QPoint(at.x, at.y), *source->image_);
}

}  // namespace corvane
