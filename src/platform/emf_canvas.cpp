#include "platform/emf_canvas.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <uemf.h>
}

#include "platform/safe_file_writer.h"

namespace corvane {

namespace {

// The reference device: a 1920 x 1080 screen of 96 pixels per inch.
constexpr int kDeviceWidth = 1920;
constexpr int kDeviceHeight = 1080;
constexpr int kDeviceWidthMm = 508;
constexpr int kDeviceHeightMm = 286;

U_COLORREF colorRef(Color color) {
    return colorref3_set(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
}

U_RECTL rectL(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}

std::vector<U_POINTL> pointsL(const std::vector<Point>& points) {
    std::vector<U_POINTL> out;
    out.reserve(points.size());
    for (const Point& point : points) out.push_back({point.x, point.y});
    return out;
}

U_RECTL boundsOf(const std::vector<Point>& points) {
    U_RECTL box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const Point& p : points) {
        box.left = std::min(box.left, p.x), box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x), box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

// The em height of a font of the given cell height: Courier New's cell is
// 2320 units of an em of 2048.
int emHeight(int cellHeight) {
    const long long em = (static_cast<long long>(cellHeight) * 2048 + 1160) / 2320;
    return static_cast<int>(std::clamp<long long>(em, 1, 1 << 20));
}

// Makes the inclusive box `box` hold `part` too.
void grow(Rect& box, const Rect& part) {
    if (box.right < box.left) {
        box = part;
        return;
    }
    box.left = std::min(box.left, part.left), box.top = std::min(box.top, part.top);
    box.right = std::max(box.right, part.right), box.bottom = std::max(box.bottom, part.bottom);
}

// One past an inclusive edge, kept in range.
int past(int edge) {
    return edge == INT_MAX ? edge : edge + 1;
}

// A length in pixels of the reference device in hundredths of a millimetre.
int hundredthsMm(long long pixels) {
    const long long value = pixels * 2540 / 96;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

std::u16string utf16(std::string_view utf8, std::vector<std::uint32_t>& advances, int advance) {
    std::u16string out;
    for (const TextCell& cell : textCells(utf8)) {
        const std::uint32_t width = static_cast<std::uint32_t>(cell.columns * advance);
        if (cell.codePoint >= 0x10000) {
            const char32_t v = cell.codePoint - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
            advances.push_back(width);
            advances.push_back(0);
        } else {
            out.push_back(static_cast<char16_t>(cell.codePoint));
            advances.push_back(width);
        }
    }
    return out;
}

}  // namespace

struct EmfCanvas::Handles {
    EMFHANDLES* table = nullptr;
    Handles() { emf_htable_create(32, 32, &table); }
    ~Handles() { emf_htable_free(&table); }
};

EmfCanvas::EmfCanvas(std::u16string_view description)
    : description_(description), handles_(std::make_unique<Handles>()) {
    append(U_EMRSETBKMODE_set(U_TRANSPARENT));
    append(U_EMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT | U_TA_NOUPDATECP));
}

EmfCanvas::~EmfCanvas() = default;

void EmfCanvas::append(char* record) {
    if (record == nullptr) return;
    const auto* header = reinterpret_cast<const U_EMR*>(record);
    body_.append(record, header->nSize);
    ++records_;
    std::free(record);
}

void EmfCanvas::include(int x, int y, int margin) {
    const auto clamp = [](long long v) {
        return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
    };
    const Rect box{
        clamp(static_cast<long long>(x) - margin), clamp(static_cast<long long>(y) - margin),
        clamp(static_cast<long long>(x) + margin), clamp(static_cast<long long>(y) + margin)};
    grow(bounds_, box);
    grow(covered_, box);
}

void EmfCanvas::includeRecordPoint(int x, int y) {
    grow(bounds_, {x, y, x, y});
}

void EmfCanvas::includePoints(const std::vector<Point>& points) {
    const int margin = pen_.style == PenStyle::Null ? 0 : (std::max(pen_.width, 1) + 1) / 2;
    for (const Point& point : points) include(point.x, point.y, margin);
}

void EmfCanvas::preparePen() {
    // The stock null pen rather than a created one of style PS_NULL, which
    // some readers stroke with the pen before it.
    if (pen_.style == PenStyle::Null) {
        append(selectobject_set(U_NULL_PEN, handles_->table));
        penSelected_ = false;
        return;
    }
    if (penObject_ != 0 && penValue_ == pen_) {
        if (!penSelected_) append(selectobject_set(penObject_, handles_->table));
        penSelected_ = true;
        return;
    }
    std::uint32_t created = 0;
    const U_COLORREF color = colorRef(pen_.color);
    if (pen_.style == PenStyle::Dot && pen_.width > 1) {
        // A wide dotted pen must be geometric; a cosmetic one would draw solid.
        PU_EXTLOGPEN logPen =
            extlogpen_set(U_PS_GEOMETRIC | U_PS_DOT | U_PS_ENDCAP_ROUND | U_PS_JOIN_ROUND,
                          static_cast<std::uint32_t>(pen_.width), U_BS_SOLID, color, 0, 0, nullptr);
        append(extcreatepen_set(&created, handles_->table, nullptr, 0, nullptr, logPen));
        std::free(logPen);
    } else {
        const std::uint32_t style = pen_.style == PenStyle::Dot ? U_PS_DOT : U_PS_SOLID;
        const U_POINT width{std::max(pen_.width, 0), 0};
        append(createpen_set(&created, handles_->table, logpen_set(style, width, color)));
    }
    append(selectobject_set(created, handles_->table));
    if (penObject_ != 0) append(deleteobject_set(&penObject_, handles_->table));
    penObject_ = created;
    penValue_ = pen_;
    penSelected_ = true;
}

void EmfCanvas::prepareBrush(const Brush& brush) {
    // The stock null brush: readers fill with the brush before it when they
    // meet a created brush of style BS_NULL, which hides what lies below.
    if (brush.style == BrushStyle::Null) {
        append(selectobject_set(U_NULL_BRUSH, handles_->table));
        brushSelected_ = false;
        return;
    }
    if (brushObject_ != 0 && brushValue_ == brush) {
        if (!brushSelected_) append(selectobject_set(brushObject_, handles_->table));
        brushSelected_ = true;
        return;
    }
    std::uint32_t created = 0;
    append(createbrushindirect_set(&created, handles_->table,
                                   logbrush_set(U_BS_SOLID, colorRef(brush.color), 0)));
    append(selectobject_set(created, handles_->table));
    if (brushObject_ != 0) append(deleteobject_set(&brushObject_, handles_->table));
    brushObject_ = created;
    brushValue_ = brush;
    brushSelected_ = true;
}

void EmfCanvas::prepareFont() {
    if (fontObject_ != 0 && fontValue_ == font_) {
        if (!fontSelected_) append(selectobject_set(fontObject_, handles_->table));
        fontSelected_ = true;
        return;
    }
    std::vector<std::uint32_t> unused;
    std::u16string face = utf16(font_.face, unused, 0);
    face.resize(std::min<std::size_t>(face.size(), U_LF_FACESIZE - 1));
    std::uint16_t faceName[U_LF_FACESIZE] = {};
    std::copy(face.begin(), face.end(), faceName);
    // A negative height asks for the character (em) height, which every
    // reader takes the same way; a positive cell height some take as the em.
    const U_LOGFONT logFont = logfont_set(
        -emHeight(font_.pixelHeight), 0, 0, 0, font_.weight, font_.italic ? 1 : 0,
        font_.underline ? 1 : 0, 0, U_DEFAULT_CHARSET, U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS,
        U_DEFAULT_QUALITY, U_FIXED_PITCH | U_FF_MODERN, faceName);
    std::uint32_t created = 0;
    append(extcreatefontindirectw_set(&created, handles_->table,
                                      reinterpret_cast<const char*>(&logFont), nullptr));
    append(selectobject_set(created, handles_->table));
    if (fontObject_ != 0) append(deleteobject_set(&fontObject_, handles_->table));
    fontObject_ = created;
    fontValue_ = font_;
    fontSelected_ = true;
}

void EmfCanvas::prepareText() {
    prepareFont();
    if (!textStateKnown_ || emittedTextColor_ != textColor_) {
        append(U_EMRSETTEXTCOLOR_set(colorRef(textColor_)));
        emittedTextColor_ = textColor_;
    }
    if (!textStateKnown_ || emittedOpaque_ != opaqueText_) {
        append(U_EMRSETBKMODE_set(opaqueText_ ? U_OPAQUE : U_TRANSPARENT));
        emittedOpaque_ = opaqueText_;
    }
    if (opaqueText_ && (!textStateKnown_ || emittedBackground_ != textBackground_)) {
        append(U_EMRSETBKCOLOR_set(colorRef(textBackground_)));
        emittedBackground_ = textBackground_;
    }
    textStateKnown_ = true;
}

void EmfCanvas::setTextBackground(bool opaque, Color background) {
    opaqueText_ = opaque;
    textBackground_ = background;
}

TextSize EmfCanvas::textExtent(std::string_view text) {
    const TextExtent extent = metrics_.extent(font_.face, font_.pixelHeight, text);
    return {extent.width, extent.height};
}

void EmfCanvas::drawLine(Point from, Point to) {
    if (finished_) return;
    preparePen();
    append(U_EMRMOVETOEX_set({from.x, from.y}));
    append(U_EMRLINETO_set({to.x, to.y}));
    includePoints({from, to});
}

void EmfCanvas::drawPolyline(const std::vector<Point>& points) {
    if (finished_ || points.size() < 2) return;
    preparePen();
    const std::vector<U_POINTL> list = pointsL(points);
    append(
        U_EMRPOLYLINE_set(boundsOf(points), static_cast<std::uint32_t>(list.size()), list.data()));
    includePoints(points);
}

void EmfCanvas::drawPolygon(const std::vector<Point>& points) {
    if (finished_ || points.size() < 2) return;
    preparePen();
    prepareBrush(brush_);
    const std::vector<U_POINTL> list = pointsL(points);
    append(
        U_EMRPOLYGON_set(boundsOf(points), static_cast<std::uint32_t>(list.size()), list.data()));
    includePoints(points);
}

void EmfCanvas::drawRectangle(const Rect& rect) {
    if (finished_) return;
    preparePen();
    prepareBrush(brush_);
    // The device draws the outline one pixel inside the right and bottom edges.
    append(U_EMRRECTANGLE_set(rectL(rect.left, rect.top, past(rect.right), past(rect.bottom))));
    includePoints({{rect.left, rect.top}, {rect.right, rect.bottom}});
    includeRecordPoint(past(rect.right), past(rect.bottom));
}

void EmfCanvas::drawEllipse(const Rect& bounds) {
    if (finished_) return;
    preparePen();
    prepareBrush(brush_);
    append(
        U_EMRELLIPSE_set(rectL(bounds.left, bounds.top, past(bounds.right), past(bounds.bottom))));
    includePoints({{bounds.left, bounds.top}, {bounds.right, bounds.bottom}});
    includeRecordPoint(past(bounds.right), past(bounds.bottom));
}

void EmfCanvas::fillRectangle(const Rect& rect, Color color) {
    if (finished_ || rect.right <= rect.left || rect.bottom <= rect.top) return;
    // Without a pen the device fills one pixel less than the box it is given.
    append(selectobject_set(U_NULL_PEN, handles_->table));
    penSelected_ = false;
    prepareBrush(solidBrush(color));
    append(U_EMRRECTANGLE_set(rectL(rect.left, rect.top, past(rect.right), past(rect.bottom))));
    include(rect.left, rect.top, 0);
    include(rect.right - 1, rect.bottom - 1, 0);
    includeRecordPoint(past(rect.right), past(rect.bottom));
}

void EmfCanvas::drawText(Point origin, std::string_view text) {
    if (finished_ || text.empty()) return;
    prepareText();
    const int advance = TextMetrics::columnAdvance(font_.pixelHeight);
    std::vector<std::uint32_t> advances;
    const std::u16string units = utf16(text, advances, advance);
    if (units.empty()) return;
    const TextSize size = textExtent(text);
    const auto edge = [](int from, int length) {
        return static_cast<int>(
            std::min<long long>(static_cast<long long>(from) + std::max(length - 1, 0), INT_MAX));
    };
    const U_RECTL box =
        rectL(origin.x, origin.y, edge(origin.x, size.width), edge(origin.y, size.height));
    char* emrText = emrtext_set({origin.x, origin.y}, static_cast<U_NUM_STR>(units.size()), 2,
                                const_cast<char16_t*>(units.data()), U_ETO_NONE,
                                rectL(0, 0, -1, -1), advances.data());
    append(U_EMREXTTEXTOUTW_set(box, U_GM_COMPATIBLE, 1.0f, 1.0f,
                                reinterpret_cast<PU_EMRTEXT>(emrText)));
    std::free(emrText);
    include(origin.x, origin.y, 0);
    include(box.right, box.bottom, 0);
}

void EmfCanvas::selectStockObjects() {
    append(selectobject_set(U_BLACK_PEN, handles_->table));
    append(selectobject_set(U_WHITE_BRUSH, handles_->table));
    append(selectobject_set(U_SYSTEM_FONT, handles_->table));
    forgetSelections();
}

void EmfCanvas::forgetSelections() {
    penSelected_ = false;
    brushSelected_ = false;
    fontSelected_ = false;
    textStateKnown_ = false;
}

void EmfCanvas::setClipRect(const Rect& rect) {
    if (finished_) return;
    clearClip();
    // The saved state holds only stock objects, so restoring it never brings
    // back an object deleted in between.
    selectStockObjects();
    append(U_EMRSAVEDC_set());
    append(U_EMRINTERSECTCLIPRECT_set(rectL(rect.left, rect.top, rect.right, rect.bottom)));
    clipped_ = true;
}

void EmfCanvas::clearClip() {
    if (finished_ || !clipped_) return;
    append(U_EMRRESTOREDC_set(-1));
    forgetSelections();
    clipped_ = false;
}

void EmfCanvas::lighten(const Rect& rect) {
    if (finished_ || rect.right <= rect.left || rect.bottom <= rect.top) return;
    const U_BITMAPINFOHEADER info = bitmapinfoheader_set(1, 1, 1, 32, U_BI_RGB, 4, 0, 0, 0, 0);
    PU_BITMAPINFO bitmap = bitmapinfo_set(info, nullptr);
    char white[4] = {'\xff', '\xff', '\xff', '\0'};
    const U_BLEND blend{0, 0, 128, 0};  // source over, constant alpha one half
    const U_RECTL box = rectL(rect.left, rect.top, rect.right - 1, rect.bottom - 1);
    const auto length = [](int from, int to) {
        return static_cast<int>(std::min<long long>(static_cast<long long>(to) - from, INT_MAX));
    };
    append(U_EMRALPHABLEND_set(box, {rect.left, rect.top},
                               {length(rect.left, rect.right), length(rect.top, rect.bottom)},
                               {0, 0}, {1, 1}, xform_set(1, 0, 0, 1, 0, 0), colorRef(0xffffff),
                               U_DIB_RGB_COLORS, blend, bitmap, 4, white));
    std::free(bitmap);
    include(rect.left, rect.top, 0);
    include(rect.right - 1, rect.bottom - 1, 0);
}

const std::string& EmfCanvas::finish() {
    if (finished_) return file_;
    clearClip();
    selectStockObjects();
    for (std::uint32_t* object : {&penObject_, &brushObject_, &fontObject_}) {
        if (*object != 0) append(deleteobject_set(object, handles_->table));
    }
    EMFTRACK track{};
    append(U_EMREOF_set(0, nullptr, &track));
    finished_ = true;

    const bool empty = bounds_.right < bounds_.left;
    const U_RECTL bounds = empty ? rectL(0, 0, -1, -1)
                                 : rectL(bounds_.left, bounds_.top, bounds_.right, bounds_.bottom);
    // The frame is the picture readers show: the pixels covered, to the far
    // edges of the last ones.
    const Rect& c = covered_;
    const U_RECTL frame = empty ? rectL(0, 0, -1, -1)
                                : rectL(hundredthsMm(c.left), hundredthsMm(c.top),
                                        hundredthsMm(static_cast<long long>(c.right) + 1),
                                        hundredthsMm(static_cast<long long>(c.bottom) + 1));
    std::u16string description = description_;
    char* header =
        U_EMRHEADER_set(bounds, frame, nullptr, static_cast<U_CBSTR>(description.size()),
                        reinterpret_cast<std::uint16_t*>(description.data()),
                        {kDeviceWidth, kDeviceHeight}, {kDeviceWidthMm, kDeviceHeightMm}, 0);
    auto* fields = reinterpret_cast<U_EMRHEADER*>(header);
    fields->nBytes = static_cast<std::uint32_t>(fields->emr.nSize + body_.size());
    fields->nRecords = records_ + 1;
    fields->nHandles = static_cast<std::uint16_t>(handles_->table->peak + 1);
    file_.assign(header, fields->emr.nSize);
    file_ += body_;
    std::free(header);
    body_.clear();
    body_.shrink_to_fit();
    return file_;
}

bool EmfCanvas::save(const std::string& path) {
    return writeFileSafely(path, finish());
}

}  // namespace corvane
