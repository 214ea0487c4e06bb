#include "support/program_runner.h"
#include "ui/common/guide_link.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace korvland::testing {
namespace {

const std::filesystem::path kGuide = KORVLAND_GUIDE_SOURCE;

std::string text(const std::filesystem::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::set<std::string> pages() {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kGuide))
        if (entry.path().extension() == ".md")
            names.insert(entry.path().filename().string());
    return names;
}

// Every target of a Markdown link or picture on `page`: [text](target), ![text](target).
std::vector<std::string> targets(const std::string& page, bool pictures) {
    static const std::regex link(R"((!?)\[[^\]]*\]\(([^)\s]+)\))");
    std::vector<std::string> found;
    for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it)
        if (((*it)[1].length() > 0) == pictures)
            found.push_back((*it)[2]);
    return found;
}

std::set<std::string> picturesMade() {
    const ProgramRun run = runProgram(KORVLAND_GUIDE_PICTURES_PATH, {"--list"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::set<std::string> names;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
        names.insert(line);
    return names;
}

TEST(Guide, ThePicturesTheGuideShowsAreThoseItsProgramMakes) {
    std::set<std::string> shown;
    for (const std::string& page : pages())
        for (const std::string& picture : targets(text(kGuide / page), true))
            shown.insert(picture);
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(shown, picturesMade())
        << "a page names a picture no step makes, or a step makes one no page shows";
}

TEST(Guide, EveryLinkOfEveryPageAndEveryWindowsPageResolves) {
    const std::set<std::string> all = pages();
    const std::set<std::string> made = picturesMade();
    for (const std::string& page : all) {
        for (const std::string& target : targets(text(kGuide / page), false)) {
            if (target.starts_with("https://") || target.starts_with("man:"))
                continue;
            const bool isPicture = target.ends_with(".png");
            EXPECT_TRUE(isPicture ? made.contains(target) : all.contains(target))
                << page << " links to " << target;
        }
    }
    // F1's pages, made from the pages of the same name.
    for (const std::string html :
         {guide_pages::kStart, guide_pages::kMap, guide_pages::kTables, "index.html"})
        EXPECT_TRUE(all.contains(html.substr(0, html.size() - 4) + "md")) << html;
}

} // namespace
} // namespace korvland::testing
