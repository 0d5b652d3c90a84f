// A printer as the core sees it: the page's size in device pixels and in
// millimetres, a document of pages, and the canvas the current page is
// drawn on.
#pragma once

#include <string>

#include "platform/canvas.h"

namespace corvane {

struct PageMetrics {
    int widthPixels = 0;
    int heightPixels = 0;
    int widthMillimetres = 0;
    int heightMillimetres = 0;
};

class PrinterDevice {
public:
    virtual ~PrinterDevice() = default;

    virtual PageMetrics pageMetrics() const = 0;

    // A print job named `documentName`; false when the job cannot start.
    virtual bool startDocument(const std::string& documentName) = 0;
    virtual void endDocument() = 0;
    // A fresh page; false when it cannot be started.
    virtual bool startPage() = 0;
    virtual void endPage() = 0;

    // The surface of the current page, in device pixels.
    virtual Canvas& canvas() = 0;
};

}  // namespace corvane
