// The frame every page of the documentation site shares, the style sheet,
// and the small pieces of HTML the pages are made of.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Text for HTML element content and quoted attribute values: markup
// characters escaped, malformed UTF-8 and characters HTML forbids replaced.
std::string html(std::string_view text);

// The head, header and opening <main> of a page. `root` leads from the
// page's folder to the site's root ("" or "../").
std::string pageStart(std::string_view title, std::string_view projectName, std::string_view root);
// Closes <main> and the page.
std::string pageEnd();

// <a href="href">text</a>, with the text escaped.
std::string link(std::string_view href, std::string_view text);

// The site's one style sheet: readable on a phone, printable, no script.
std::string siteStyleSheet();

}  // namespace corvane
