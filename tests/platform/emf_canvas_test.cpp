// The metafile read back: record sizes add up, the header bounds hold every
// drawn point, and every selected object was created and is deleted in time.
#include "platform/emf_canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "console/controller.h"
#include "platform/progress_sink.h"
#include "schematic/render_export.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_passes.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

// Record types of the Enhanced Metafile format.
enum : std::uint32_t {
    kHeader = 1,
    kPolygon = 3,
    kPolyline = 4,
    kEof = 14,
    kMoveTo = 27,
    kIntersectClip = 30,
    kSaveDc = 33,
    kRestoreDc = 34,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrush = 39,
    kDeleteObject = 40,
    kEllipse = 42,
    kRectangle = 43,
    kLineTo = 54,
    kCreateFont = 82,
    kTextOutW = 84,
    kExtCreatePen = 95,
    kAlphaBlend = 114,
};

struct Record {
    std::uint32_t type = 0;
    std::string bytes;
    std::uint32_t u32(std::size_t offset) const {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes.data() + offset, 4);
        return value;
    }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    Point point(std::size_t offset) const { return {i32(offset), i32(offset + 4)}; }
};

struct Metafile {
    std::vector<Record> records;
    std::size_t size = 0;
    bool wellFramed = true;  // every record fits the file and is a multiple of 4
};

Metafile readRecords(const std::string& bytes) {
    Metafile file;
    file.size = bytes.size();
    std::size_t pos = 0;
    while (pos + 8 <= bytes.size()) {
        Record record;
        std::uint32_t size = 0;
        std::memcpy(&record.type, bytes.data() + pos, 4);
        std::memcpy(&size, bytes.data() + pos + 4, 4);
        if (size < 8 || size % 4 != 0 || pos + size > bytes.size()) {
            file.wellFramed = false;
            break;
        }
        record.bytes = bytes.substr(pos, size);
        file.records.push_back(std::move(record));
        pos += size;
    }
    if (pos != bytes.size()) file.wellFramed = false;
    return file;
}

// The points a drawing record touches.
std::vector<Point> drawnPoints(const Record& record) {
    switch (record.type) {
        case kMoveTo:
        case kLineTo:
            return {record.point(8)};
        case kPolygon:
        case kPolyline: {
            std::vector<Point> points;
            for (std::uint32_t i = 0; i < record.u32(24); ++i)
                points.push_back(record.point(28 + 8 * i));
            return points;
        }
        case kRectangle:
        case kEllipse:
        case kAlphaBlend:
        case kTextOutW:
            return {record.point(8), record.point(16)};
        default:
            return {};
    }
}

// Checks the whole file; returns the failures found, one line each.
std::string checkStructure(const std::string& bytes) {
    std::string failures;
    const auto fail = [&](const std::string& text) { failures += text + "\n"; };
    const Metafile file = readRecords(bytes);
    if (!file.wellFramed) fail("records do not tile the file");
    if (file.records.empty() || file.records.front().type != kHeader)
        return failures + "no header\n";
    const Record& header = file.records.front();
    if (header.u32(40) != 0x464D4520) fail("signature");
    if (header.u32(48) != file.size) fail("nBytes " + std::to_string(header.u32(48)));
    if (header.u32(52) != file.records.size()) fail("nRecords");
    if (file.records.back().type != kEof) fail("no end record");
    const Rect bounds{header.i32(8), header.i32(12), header.i32(16), header.i32(20)};
    const std::uint32_t handleCount = header.u32(56) & 0xffff;

    std::map<std::uint32_t, std::uint32_t> live;      // handle -> creating record type
    std::map<std::uint32_t, std::uint32_t> selected;  // object class -> handle
    const auto objectClass = [](std::uint32_t type) {
        return type == kExtCreatePen ? kCreatePen : type;
    };
    for (const Record& record : file.records) {
        for (const Point& p : drawnPoints(record)) {
            if (p.x < bounds.left || p.x > bounds.right || p.y < bounds.top ||
                p.y > bounds.bottom) {
                fail("point outside the bounds: " + std::to_string(p.x) + "," +
                     std::to_string(p.y));
            }
        }
        const std::uint32_t handle =
            record.type == kSelectObject || record.type == kDeleteObject ||
                    record.type == kCreatePen || record.type == kCreateBrush ||
                    record.type == kCreateFont || record.type == kExtCreatePen
                ? record.u32(8)
                : 0;
        switch (record.type) {
            case kCreatePen:
            case kCreateBrush:
            case kCreateFont:
            case kExtCreatePen:
                if (live.count(handle) != 0) fail("handle reused while alive");
                if (handle == 0 || handle >= handleCount) fail("handle outside nHandles");
                live[handle] = objectClass(record.type);
                break;
            case kSelectObject:
                if ((handle & 0x80000000u) != 0) {
                    // A stock object replaces whatever was selected of its class.
                    const std::uint32_t stock = handle & 0x7fffffffu;
                    const std::uint32_t cls = stock <= 5   ? kCreateBrush
                                              : stock <= 8 ? kCreatePen
                                                           : kCreateFont;
                    selected.erase(cls);
                } else if (live.count(handle) == 0) {
                    fail("selected an object never created: " + std::to_string(handle));
                } else {
                    selected[live[handle]] = handle;
                }
                break;
            case kDeleteObject:
                if (live.count(handle) == 0) fail("deleted an object not alive");
                for (const auto& [cls, current] : selected) {
                    if (current == handle) fail("deleted a selected object");
                }
                live.erase(handle);
                break;
            default:
                break;
        }
    }
    if (!live.empty()) fail(std::to_string(live.size()) + " objects never deleted");
    return failures;
}

std::u16string description(const std::string& bytes) {
    const Record header = readRecords(bytes).records.front();
    const std::uint32_t count = header.u32(60);
    const std::uint32_t offset = header.u32(64);
    std::u16string text(count, u'\0');
    std::memcpy(text.data(), header.bytes.data() + offset, count * 2);
    return text;
}

TEST(EmfCanvas, DrawingCallsGiveAWellFormedFile) {
    EmfCanvas canvas;
    canvas.setPen(solidPen(0, 0x404040));
    canvas.drawLine({10, 10}, {200, 10});
    canvas.setPen(solidPen(3, 0x0000FF));
    canvas.drawPolyline({{5, 5}, {50, 5}, {50, 60}});
    canvas.setPen(dottedPen(2, 0xA0FFA0));
    canvas.drawLine({300, 40}, {300, 400});
    canvas.setBrush(solidBrush(0xFFFFFF));
    canvas.drawPolygon({{20, 20}, {40, 20}, {30, 40}});
    canvas.fillRectangle({100, 100, 180, 150}, 0xFFB0A0);
    canvas.setBrush(nullBrush());
    canvas.drawRectangle({100, 100, 180, 150});
    canvas.drawEllipse({60, 60, 68, 68});
    canvas.setFont(Font{"Courier New", 16, 700});
    canvas.setTextBackground(true, 0xFFFFFF);
    canvas.drawText({120, 92}, " Sub module ");
    canvas.setClipRect({0, 0, 150, 150});
    canvas.setFont(Font{"Courier New", 12, 400});
    canvas.drawText({10, 120}, "日本 ok");
    canvas.clearClip();
    canvas.lighten({400, 300, 480, 340});
    canvas.drawLine({-20, 500}, {10, 520});
    const std::string bytes = canvas.finish();
    EXPECT_EQ(checkStructure(bytes), "");
    EXPECT_EQ(description(bytes), std::u16string(u"Corvane\0Schematic\0\0", 19));
    // The bounds come from the drawing: the line at x -20, the lightened box at 480.
    const Rect bounds = canvas.bounds();
    EXPECT_LE(bounds.left, -20);
    EXPECT_GE(bounds.right, 479);
    EXPECT_GE(bounds.bottom, 520);
}

TEST(EmfCanvas, TextIsUtf16WithAdvancesOfTheMetricColumns) {
    EmfCanvas canvas;
    canvas.setFont(Font{"Courier New", 16, 400});
    canvas.drawText({3, 4}, "a日\xff");
    const Metafile file = readRecords(canvas.finish());
    const auto text = std::find_if(file.records.begin(), file.records.end(),
                                   [](const Record& r) { return r.type == kTextOutW; });
    ASSERT_NE(text, file.records.end());
    EXPECT_EQ(text->point(36), (Point{3, 4}));
    ASSERT_EQ(text->u32(44), 3u);
    std::u16string units(3, u'\0');
    std::memcpy(units.data(), text->bytes.data() + text->u32(48), 6);
    EXPECT_EQ(units, u"a日\uFFFD");
    const std::uint32_t dx = text->u32(72);
    EXPECT_EQ(text->u32(dx), 8u);
    EXPECT_EQ(text->u32(dx + 4), 16u);  // a wide character takes two columns
    EXPECT_EQ(text->u32(dx + 8), 8u);
}

// What the device context holds when each drawing record runs, as readers
// that keep only the last selection of each class see it.
TEST(EmfCanvas, NullPensAndBrushesAreTheStockOnesAndFontsAskForTheEmHeight) {
    EmfCanvas canvas;
    canvas.fillRectangle({0, 0, 50, 50}, 0x80FFFF);  // a fill the frame must not cover
    canvas.setPen(solidPen(2, 0x008080));
    canvas.setBrush(nullBrush());
    canvas.drawRectangle({0, 0, 50, 50});
    canvas.setPen(Pen{PenStyle::Null, 1, 0});
    canvas.setBrush(solidBrush(0xFFFFFF));
    canvas.drawEllipse({10, 10, 20, 20});
    canvas.setFont(Font{"Courier New", 16, 400});
    canvas.drawText({0, 60}, "clk");
    const Metafile file = readRecords(canvas.finish());
    std::map<std::uint32_t, std::uint32_t> created;  // handle -> record type
    std::uint32_t brush = 0, pen = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> atDrawing;  // (pen, brush)
    for (const Record& record : file.records) {
        if (record.type == kCreatePen || record.type == kCreateBrush) {
            created[record.u32(8)] = record.type;
        } else if (record.type == kSelectObject) {
            const std::uint32_t handle = record.u32(8);
            const bool isPen = (handle & 0x80000000u) != 0
                                   ? (handle & 0x7fffffffu) >= 6 && (handle & 0x7fffffffu) <= 8
                                   : created[handle] == kCreatePen;
            (isPen ? pen : brush) = handle;
        } else if (record.type == kRectangle || record.type == kEllipse) {
            atDrawing.emplace_back(pen, brush);
        } else if (record.type == kCreateFont) {
            EXPECT_EQ(record.i32(12), -14);  // 16 pixels of cell are 14 of em
        }
    }
    ASSERT_EQ(atDrawing.size(), 3u);
    EXPECT_EQ(atDrawing[0].first, 0x80000008u);   // the fill: no outline
    EXPECT_EQ(atDrawing[1].second, 0x80000005u);  // the frame: stock null brush
    EXPECT_EQ(atDrawing[2].first, 0x80000008u);   // the null pen: stock null pen
    EXPECT_EQ(created.size(), 3u);                // fill brush, frame pen, white brush
}

TEST(EmfCanvas, EqualPensAreCreatedOnceAndUnusedOnesNever) {
    EmfCanvas canvas;
    for (int i = 0; i < 5; ++i) {
        canvas.setPen(solidPen(i, 0x00FF00));  // replaced before anything is drawn
        canvas.setPen(solidPen(1, 0x112233));
        canvas.drawLine({0, i}, {10, i});
    }
    const Metafile file = readRecords(canvas.finish());
    const auto pens = std::count_if(file.records.begin(), file.records.end(),
                                    [](const Record& r) { return r.type == kCreatePen; });
    EXPECT_EQ(pens, 1);
}

TEST(EmfCanvas, AnEmptyPictureIsStillAValidFile) {
    EmfCanvas canvas;
    const std::string bytes = canvas.finish();
    EXPECT_EQ(checkStructure(bytes), "");
    const Record header = readRecords(bytes).records.front();
    EXPECT_GT(header.i32(8), header.i32(16));  // empty bounds: right below left
}

TEST(EmfCanvas, SaveReplacesTheFileAndFailsOnAMissingFolder) {
    testing::TempDir dir;
    const std::string path = dir.write("old.emf", "old bytes");
    EmfCanvas canvas;
    canvas.drawLine({1, 1}, {5, 5});
    ASSERT_TRUE(canvas.save(path));
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, canvas.finish());
    EXPECT_FALSE(canvas.save(dir.path() + "/no/such/folder/x.emf"));
}

TEST(EmfCanvas, ExampleSchematicExportHasAValidStructure) {
    ScriptedUiHost ui;
    NullProgressSink progress;
    CMorvelDlg controller(ui, progress);
    ASSERT_TRUE(controller.analyseFolder(std::string(CORVANE_EXAMPLES) + "/rtl"));
    testing::TempDir dir;
    for (const char* name : {"top", "counter", "bus_mux", "handshake_fsm"}) {
        SCOPED_TRACE(name);
        CSchematicDlg window(controller.modules(), name, standardSchematicPasses());
        ASSERT_NE(window.findModule(), nullptr);
        window.openWithoutFile();
        const std::string path = dir.path() + "/" + name + ".emf";
        SchematicPaintHost host;
        ASSERT_TRUE(writeSchematicEmf(window, path, host));
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(checkStructure(bytes), "");
        const Metafile file = readRecords(bytes);
        EXPECT_GT(file.records.size(), 50u);
        // The canvas grows to hold the whole drawing, so the white canvas
        // fill is what bounds the picture (its record names the box one
        // pixel beyond the last filled one).
        const Record& header = file.records.front();
        EXPECT_EQ(header.i32(8), 0);
        EXPECT_EQ(header.i32(12), 0);
        EXPECT_EQ(header.i32(16), window.canvasSize().width + 1);
        EXPECT_EQ(header.i32(20), window.canvasSize().height + 1);
        // The frame, which readers size the picture by, is the canvas itself
        // (hundredths of a millimetre at 96 pixels per inch).
        EXPECT_EQ(header.i32(24), 0);
        EXPECT_EQ(header.i32(28), 0);
        EXPECT_EQ(header.i32(32), window.canvasSize().width * 2540 / 96);
        EXPECT_EQ(header.i32(36), window.canvasSize().height * 2540 / 96);
    }
}

TEST(EmfExportCommand, AsksForTheFileAndSaysWhenItCannotBeWritten) {
    ScriptedUiHost ui;
    NullProgressSink progress;
    CMorvelDlg controller(ui, progress);
    ASSERT_TRUE(controller.analyseFile(std::string(CORVANE_EXAMPLES) + "/rtl/bus_mux.v"));
    CSchematicDlg window(controller.modules(), "bus_mux", standardSchematicPasses());
    window.openWithoutFile();
    testing::TempDir dir;
    SchematicPaintHost host;

    ui.saveFileAnswers = {dir.path() + "/mux.emf", dir.path() + "/no/such/mux.emf", std::nullopt};
    exportEmfCommand(window, ui, host);
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest& request = ui.fileDialogs[0];
    EXPECT_EQ(request.caption, "Please input the name of EMF file");
    EXPECT_EQ(request.okText, "&OK");
    EXPECT_EQ(request.filter, "Enhanced MetaFile(*.emf)|*.emf||");
    EXPECT_EQ(request.defaultExtension, "emf");
    EXPECT_EQ(request.proposedName, "bus_mux");
    EXPECT_TRUE(request.overwritePrompt);
    std::ifstream in(dir.path() + "/mux.emf", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(checkStructure(bytes), "");
    EXPECT_TRUE(ui.messageBoxes.empty());

    exportEmfCommand(window, ui, host);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "CORVANE cannot save this file.");
    EXPECT_EQ(ui.messageBoxes[0].text, dir.path() + "/no/such/mux.emf");
    EXPECT_EQ(ui.messageBoxes[0].icon, MessageIcon::kExclamation);

    exportEmfCommand(window, ui, host);  // cancelled: nothing more
    EXPECT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.fileDialogs.size(), 3u);
}

}  // namespace
}  // namespace corvane
