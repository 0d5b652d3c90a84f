// The canvas over a QPainter: the screen, images (clipboard, PNG), PDF and
// SVG all draw through this one implementation.
//
// Text is drawn with the face of the font at the em size that matches the
// metric's cell height, round(h * 2048 / 2320), and every character is
// placed at the metric's column position, so what is drawn lines up with
// what the layout measured whatever the font's own advances are.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/canvas.h"
#include "platform/text_metrics.h"

namespace corvane {

// The drawn em size in pixels of a font of cell height `cellHeight`.
int emPixelSize(int cellHeight);

// The Qt font drawn for `font`.
QFont qtFont(const Font& font);

QColor qtColor(Color color);

class QtCanvas final : public Canvas {
public:
    // Draws through `painter`, which must stay active while the canvas is
    // used; the painter's own state comes back when the canvas goes.
    explicit QtCanvas(QPainter& painter);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // A canvas that owns a white `width` x `height` image and its painter;
    // nullptr when the image cannot be made.
    static std::unique_ptr<QtCanvas> forImage(int width, int height);
    // The owned image (nullptr for a canvas over someone else's painter).
    // Ends the painting, so it is asked for once drawing is done.
    const QImage* finishImage();

    void setPen(const Pen& pen) override;
    void setBrush(const Brush& brush) override;
    void setFont(const Font& font) override;
    void setTextColor(Color color) override { textColor_ = qtColor(color); }
    void setTextBackground(bool opaque, Color background) override;
    TextSize textExtent(std::string_view text) override;

    void drawLine(Point from, Point to) override;
    void drawPolyline(const std::vector<Point>& points) override;
    void drawPolygon(const std::vector<Point>& points) override;
    void drawRectangle(const Rect& rect) override;
    void drawEllipse(const Rect& bounds) override;
    void fillRectangle(const Rect& rect, Color color) override;
    void drawText(Point origin, std::string_view text) override;
    void setClipRect(const Rect& rect) override;
    void clearClip() override;
    // Exact per pixel on an image; a white fill of half opacity elsewhere.
    void lighten(const Rect& rect) override;
    std::unique_ptr<Canvas> createBuffer(int width, int height) override;
    void drawBuffer(const Canvas& buffer, Point at) override;

private:
    QtCanvas(std::unique_ptr<QImage> image);
    void setUp();
    QImage* paintedImage() const;

    std::unique_ptr<QImage> image_;
    std::unique_ptr<QPainter> ownPainter_;
    QPainter* painter_;
    bool restoresPainter_ = false;

    Font font_;
    QFont qfont_;
    double baseline_ = 0;  // from the cell's top, pixels
    QColor textColor_{Qt::black};
    bool opaqueText_ = false;
    Color textBackground_ = 0xffffff;
    TextMetrics metrics_;
};

}  // namespace corvane
