// The user manual in docs/manual is installed as one folder and opened from
// the file system, so every relative link must name a file of that folder
// and, after "#", an id of that file; every page must be reachable from the
// index that Help > Help... opens.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct Link {
    std::string target;  // the attribute value as written
    std::string path;    // the file part ("" for a link within the page)
    std::string anchor;  // the part after "#" ("" when there is none)
};

// The values of the attribute `name` in the tags of `html`, in order. Only
// text between "<" and ">" counts: examples in the text are written with
// "&lt;" and hold attributes that are no part of the page.
std::vector<std::string> attributeValues(const std::string& html, const std::string& name) {
    static const std::regex tag(R"re(<[^<>]*>)re");
    const std::regex attribute("\\b" + name + R"re(\s*=\s*"([^"]*)")re", std::regex::icase);
    std::vector<std::string> values;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), tag);
         it != std::sregex_iterator(); ++it) {
        const std::string text = it->str();
        for (auto value = std::sregex_iterator(text.begin(), text.end(), attribute);
             value != std::sregex_iterator(); ++value) {
            values.push_back((*value)[1].str());
        }
    }
    return values;
}

// The href and src values of `html`, except absolute ones (with a scheme
// such as https: or mailto:, or starting with "/").
std::vector<Link> relativeLinks(const std::string& html) {
    static const std::regex scheme(R"re(^[A-Za-z][A-Za-z0-9+.-]*:)re");
    std::vector<Link> links;
    for (const std::string& target : attributeValues(html, "(?:href|src)")) {
        Link link;
        link.target = target;
        if (std::regex_search(link.target, scheme) || link.target.starts_with("/")) continue;
        const std::size_t hash = link.target.find('#');
        link.path = link.target.substr(0, hash);
        if (hash != std::string::npos) link.anchor = link.target.substr(hash + 1);
        links.push_back(link);
    }
    return links;
}

std::set<std::string> ids(const std::string& html) {
    const std::vector<std::string> values = attributeValues(html, "id");
    return std::set<std::string>(values.begin(), values.end());
}

TEST(ManualLinks, RelativeLinksHelperSkipsAbsoluteTargetsAndSplitsAnchors) {
    const std::vector<Link> links = relativeLinks(
        R"(<a href="https://example.org/x">x</a> <a href="mailto:a@b">m</a> <a href="/etc">e</a>)"
        R"( <a HREF = "menus.html#file">f</a> <img src="icon.svg"> <a href="#top">t</a>)"
        R"( <pre>&lt;a href="example.html"&gt;</pre>)");
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0].path, "menus.html");
    EXPECT_EQ(links[0].anchor, "file");
    EXPECT_EQ(links[1].path, "icon.svg");
    EXPECT_EQ(links[1].anchor, "");
    EXPECT_EQ(links[2].path, "");
    EXPECT_EQ(links[2].anchor, "top");
}

class ManualLinksTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::weakly_canonical(fs::path(CORVANE_SOURCE_TREE) / ".." / "docs" / "manual");
        ASSERT_TRUE(fs::is_regular_file(folder_ / "index.html")) << folder_;
        for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
            if (entry.path().extension() == ".html") {
                pages_[entry.path()] = testing::readAll(entry.path().string());
            }
        }
    }

    fs::path folder_;
    std::map<fs::path, std::string> pages_;
};

TEST_F(ManualLinksTest, EveryRelativeLinkNamesAFileAndAnchorOfTheManual) {
    for (const auto& [page, html] : pages_) {
        const std::string pageName = fs::relative(page, folder_).string();
        for (const Link& link : relativeLinks(html)) {
            const fs::path target =
                link.path.empty() ? page : fs::weakly_canonical(page.parent_path() / link.path);
            const fs::path inside = fs::relative(target, folder_);
            EXPECT_FALSE(inside.empty() || inside.begin()->string() == "..")
                << pageName << ": \"" << link.target << "\" leaves the manual's folder";
            if (!fs::is_regular_file(target)) {
                ADD_FAILURE() << pageName << ": \"" << link.target << "\" names no file";
                continue;
            }
            if (link.anchor.empty()) continue;
            const auto linked = pages_.find(target);
            EXPECT_TRUE(linked != pages_.end() && ids(linked->second).count(link.anchor) == 1)
                << pageName << ": \"" << link.target << "\" names no id \"" << link.anchor
                << "\"";
        }
    }
}

TEST_F(ManualLinksTest, EveryPageIsReachableFromTheIndex) {
    std::set<fs::path> reached = {folder_ / "index.html"};
    std::vector<fs::path> pending(reached.begin(), reached.end());
    while (!pending.empty()) {
        const fs::path page = pending.back();
        pending.pop_back();
        const auto found = pages_.find(page);
        if (found == pages_.end()) continue;
        for (const Link& link : relativeLinks(found->second)) {
            if (link.path.empty()) continue;
            const fs::path target = fs::weakly_canonical(page.parent_path() / link.path);
            if (reached.insert(target).second) pending.push_back(target);
        }
    }
    for (const auto& [page, html] : pages_) {
        EXPECT_TRUE(reached.count(page) == 1)
            << fs::relative(page, folder_).string() << " is not linked from the index";
    }
}

TEST_F(ManualLinksTest, NoPageRepeatsAnId) {
    for (const auto& [page, html] : pages_) {
        std::set<std::string> seen;
        for (const std::string& id : attributeValues(html, "id")) {
            EXPECT_TRUE(seen.insert(id).second)
                << fs::relative(page, folder_).string() << " repeats id \"" << id << "\"";
        }
    }
}

}  // namespace
}  // namespace corvane
