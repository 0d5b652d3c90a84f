#include "site/site_page.h"

#include "platform/svg_canvas.h"
#include "site/site_names.h"

namespace corvane {

std::string html(std::string_view text) {
    return escapeXmlText(text);
}

std::string pageStart(std::string_view title, std::string_view projectName, std::string_view root) {
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    page += "<title>" + html(title) + "</title>\n";
    page += "<link rel=\"stylesheet\" href=\"" + std::string(root) + kStyleSheetName + "\">\n";
    page += "</head>\n<body>\n<header><nav>" + link(std::string(root) + "index.html", projectName) +
            "</nav></header>\n<main>\n";
    return page;
}

std::string pageEnd() {
    return "</main>\n<footer>Written by Corvane.</footer>\n</body>\n</html>\n";
}

std::string link(std::string_view href, std::string_view text) {
    return "<a href=\"" + html(href) + "\">" + html(text) + "</a>";
}

std::string siteStyleSheet() {
    return R"css(/* The documentation site of a design, written by Corvane. */
:root { color-scheme: light; }
body {
  margin: 0 auto; max-width: 72rem; padding: 0 1rem 2rem;
  font-family: system-ui, -apple-system, "Segoe UI", Roboto, "Liberation Sans", sans-serif;
  line-height: 1.45; color: #1d1d1f; background: #ffffff;
}
header { border-bottom: 1px solid #d0d4da; padding: 0.6rem 0; margin-bottom: 1rem; }
header a { font-weight: 600; text-decoration: none; }
footer { border-top: 1px solid #d0d4da; margin-top: 2rem; padding-top: 0.5rem; color: #5f6368;
  font-size: 0.85rem; }
h1 { font-size: 1.6rem; margin: 0.6rem 0 0.4rem; overflow-wrap: anywhere; }
h2 { font-size: 1.25rem; margin: 1.8rem 0 0.5rem; border-bottom: 1px solid #e3e6ea; }
h3 { font-size: 1.05rem; margin: 1.2rem 0 0.4rem; overflow-wrap: anywhere; }
a { color: #0b57d0; }
a:visited { color: #6a3fb5; }
code, pre, .mono { font-family: "Liberation Mono", "Courier New", monospace; font-size: 0.9rem; }
.lead { color: #3c4043; }
.scroll { overflow-x: auto; max-width: 100%; }
table { border-collapse: collapse; margin: 0.4rem 0 1rem; font-size: 0.92rem; }
th, td { border: 1px solid #d0d4da; padding: 0.2rem 0.5rem; text-align: left; vertical-align: top;
  overflow-wrap: break-word; }
th { background: #f1f3f5; }
td.num { text-align: right; font-variant-numeric: tabular-nums; }
.note { color: #8a4b00; }
.missing { color: #5f6368; font-style: italic; }
ul.tree, ul.tree ul { list-style: none; margin: 0; padding-left: 1.2rem; }
ul.tree { padding-left: 0; }
ul.tree li { margin: 0.1rem 0; overflow-wrap: anywhere; }
ul.tree ul { border-left: 1px dotted #b0b6bd; }
/* Pictures keep their own size, where their text has the size it was laid
   out for, and scroll sideways when wider than the page; printed, they fit. */
.picture { overflow: auto; max-height: 90vh; border: 1px solid #d0d4da; margin: 0.5rem 0 0.3rem; }
.picture svg { display: block; }
.link-area:hover { fill-opacity: 0.18; }
pre.source { line-height: 1.35; tab-size: 4; -moz-tab-size: 4; padding: 0.5rem 0;
  border: 1px solid #d0d4da; overflow-x: auto; }
pre.source .line:target { background: #fff3c4; }
pre.source a.ln { display: inline-block; min-width: 3.5em; padding-right: 0.8em; margin-right: 0.6em;
  text-align: right; color: #80868b; text-decoration: none; border-right: 1px solid #e3e6ea;
  user-select: none; }
@media (max-width: 40rem) {
  body { padding: 0 0.5rem 1rem; }
  table { font-size: 0.85rem; }
  pre.source a.ln { min-width: 2.5em; }
}
@media print {
  header nav, .link-area { display: none; }
  body { max-width: none; color: #000000; }
  a { color: #000000; text-decoration: none; }
  .picture { overflow: visible; max-height: none; border: none; }
  .picture svg { max-width: 100%; height: auto; }
  .scroll, pre.source { overflow: visible; white-space: pre-wrap; }
  h2, h3 { break-after: avoid; }
  tr, .picture { break-inside: avoid; }
}
)css";
}

}  // namespace corvane
