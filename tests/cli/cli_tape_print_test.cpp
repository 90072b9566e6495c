// `tallyroll-cli tape --pdf` and `--png-pages` end to end: a document prints with its own page
// layout, the table prints, and the pages come out as the print preview draws them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/tape_run.h"
#include "documents/tly_test_files.h"

namespace tally::test {
namespace {

class CliTapePrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("TALLYROLL_CLI") == nullptr) GTEST_SKIP() << "TALLYROLL_CLI is not set";
    }
    static std::string Read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void Write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    // Replaces the value of the key in the section of the document file.
    static void SetValue(const std::string& fileName, const std::string& section, const std::string& key,
                         const std::string& value) {
        std::string text = Read(fileName);
        const std::size_t start = text.find("[" + section + "]");
        ASSERT_NE(start, std::string::npos) << section;
        const std::size_t at = text.find("\r\n" + key + "=", start);
        ASSERT_NE(at, std::string::npos) << key;
        const std::size_t valueStart = at + 2 + key.size() + 1;
        text.replace(valueStart, text.find("\r\n", valueStart) - valueStart, value);
        Write(fileName, text);
    }

    // The first page's width and height in points, as pdfinfo tells them.
    static std::pair<double, double> PageSize(const std::string& pdf) {
        const std::string info = PdfInfo(pdf);
        const std::size_t at = info.find("Page size:");
        double width = 0;
        double height = 0;
        if (at != std::string::npos) std::sscanf(info.c_str() + at, "Page size: %lf x %lf", &width, &height);
        return {width, height};
    }

    TTempFolder folder_;
};

#ifdef TALLYROLL_WITH_PDF

// A saved document's [ReportParameters] decide the printout: no page numbers, landscape, and
// side margins that leave no room are refused.
TEST_F(CliTapePrintTest, AnOpenedDocumentPrintsWithItsOwnPageLayout) {
    if (!HavePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    const std::string document = folder_.File("d.tly");
    const std::string pdf = folder_.File("d.pdf");
    ASSERT_EQ(RunTape({"--keys", "12+5\n\n", "--save", document}).status, 0);
    ASSERT_EQ(RunTape({"--open", document, "--pdf", pdf}).status, 0);
    EXPECT_NE(PdfText(pdf).find("Page 1"), std::string::npos);
    const auto [portraitWidth, portraitHeight] = PageSize(pdf);
    EXPECT_LT(portraitWidth, portraitHeight);

    SetValue(document, "ReportParameters", "ShowPageNumbers", "No");
    SetValue(document, "ReportParameters", "PageOrientation", "Landscape");
    const RunResult r = RunTape({"--open", document, "--pdf", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = PdfText(pdf);
    EXPECT_EQ(text.find("Page 1"), std::string::npos) << text;
    EXPECT_NE(text.find("+12.00"), std::string::npos) << text;
    EXPECT_NE(text.find("Tape in " + document), std::string::npos) << text;
    EXPECT_EQ(PageSize(pdf), std::make_pair(portraitHeight, portraitWidth));

    SetValue(document, "ReportParameters", "PageOrientation", "Portrait");
    SetValue(document, "ReportParameters", "LeftMargin", "5.00");
    SetValue(document, "ReportParameters", "RightMargin", "5.00");
    std::filesystem::remove(pdf);
    const RunResult narrow = RunTape({"--open", document, "--pdf", pdf});
    EXPECT_EQ(narrow.status, 1);
    EXPECT_EQ(narrow.err, "message: The page width is too small to print this Tape.\n");
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

constexpr const char* kTwoAssignedLines =
    "12+5+{Up}{Up}{Tab}1{Tab}Twelve{Tab}{Tab}2{Tab}Five{Tab}[Table:CopyToTable][Table:CopyToTable]";

TEST_F(CliTapePrintTest, TheTablePrintsItsCellsHeadingsAndFooter) {
    if (!HavePdfTools()) GTEST_SKIP() << "pdftotext is not installed";
    const std::string pdf = folder_.File("table.pdf");
    const RunResult r = RunTape({"--columns", "table,annotations", "--show", "table", "--keys",
                                 std::string(kTwoAssignedLines) + "[Table:ShowLineNums=on]", "--pdf", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string text = PdfText(pdf);
    for (const char* expected : {"Line", "Twelve", "Five", "12.00", "5.00", "Table in Untitled(1)", "Page 1"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in:\n" << text;
    }
    EXPECT_EQ(text.find("+12.00"), std::string::npos) << "the tape, not the table:\n" << text;

    // Several parts at once are no one printout.
    const RunResult both = RunTape({"--show", "tape,table", "--keys", "1\n", "--pdf", pdf});
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("one tape or the table"), std::string::npos) << both.err;
}

// Each page as the zoomed preview draws it: the locale's paper at 96 dots per inch (A4 or
// Letter).
TEST_F(CliTapePrintTest, PngPagesAreThePreviewsPages) {
    const std::string pages = folder_.File("pages");
    std::string keys;
    for (int i = 1; i <= 100; ++i) keys += std::to_string(i) + "\n";
    const RunResult r = RunTape({"--png-pages", pages, "--keys", keys});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string listed;
    for (int page = 1; std::filesystem::exists(pages + "/page-" + std::to_string(page) + ".png"); ++page) {
        const std::string file = pages + "/page-" + std::to_string(page) + ".png";
        listed += file + "\n";
        const std::string png = Read(file);
        ASSERT_GT(png.size(), 24U);
        EXPECT_EQ(png.substr(1, 3), "PNG");
        // The width and height in the header.
        const auto number = [&png](std::size_t at) {
            return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
                   (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
        };
        const std::pair<unsigned, unsigned> size{number(16), number(20)};
        EXPECT_TRUE(size == std::make_pair(793U, 1123U) || size == std::make_pair(816U, 1056U))
            << size.first << " x " << size.second;
    }
    EXPECT_EQ(r.out, listed);
    EXPECT_GE(std::count(listed.begin(), listed.end(), '\n'), 2);

    // The table's pages too; a refused job writes none.
    const std::string table = folder_.File("table");
    const RunResult t = RunTape({"--columns", "table,annotations", "--show", "table", "--keys", kTwoAssignedLines,
                                 "--png-pages", table});
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_EQ(t.out, table + "/page-1.png\n");
    const std::string document = folder_.File("narrow.tly");
    ASSERT_EQ(RunTape({"--keys", "1\n", "--save", document}).status, 0);
    SetValue(document, "ReportParameters", "LeftMargin", "5.00");
    SetValue(document, "ReportParameters", "RightMargin", "5.00");
    const std::string refused = folder_.File("refused");
    const RunResult n = RunTape({"--open", document, "--png-pages", refused});
    EXPECT_EQ(n.status, 1);
    EXPECT_EQ(n.out, "");
    EXPECT_FALSE(std::filesystem::exists(refused + "/page-1.png"));
}

#else

TEST_F(CliTapePrintTest, PngPagesNeedTheQtBuild) {
    const RunResult r = RunTape({"--keys", "1\n", "--png-pages", folder_.File("pages")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("--png-pages is not available in this build"), std::string::npos) << r.err;
}

#endif

}  // namespace
}  // namespace tally::test
