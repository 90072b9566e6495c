// tallyroll-cli convert, end to end: runs the program named by TALLYROLL_CLI (set by CTest).

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct RunResult {
    std::string out;
    int status = -1;
};

std::string Quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) {
        if (c == '\'') q += "'\\''";
        else q += c;
    }
    return q + "'";
}

// Runs the CLI with the arguments; stdout only (stderr is discarded unless asked for).
RunResult RunCli(const std::vector<std::string>& args, bool mergeStderr = false) {
    const char* cli = std::getenv("TALLYROLL_CLI");
    RunResult r;
    if (cli == nullptr) return r;
    std::string command = Quote(cli);
    for (const std::string& a : args) command += " " + Quote(a);
    command += mergeStderr ? " 2>&1" : " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

class CliConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("TALLYROLL_CLI") == nullptr) GTEST_SKIP() << "TALLYROLL_CLI is not set";
    }
};

TEST_F(CliConvertTest, Conversions) {
    struct Case {
        std::vector<std::string> args;
        const char* out;
    };
    const Case cases[] = {
        {{"convert", "1.75", "--denominator", "8"}, "1 6/8\n01:45:00\n"},
        {{"convert", "1.75", "--denominator=1"}, "2\n01:45:00\n"},
        {{"convert", "0.5", "--denominator", "0"}, "1\n00:30:00\n"},
        {{"convert", "-2.25", "--denominator", "4"}, "-2 1/4\n-02:15:00\n"},
        {{"convert", "--denominator", "4", "--", "-2.25"}, "-2 1/4\n-02:15:00\n"},
        {{"convert", "1.75"}, "1.75\n01:45:00\n"},
        {{"convert", "1 3/4"}, "1.75\n01:45:00\n"},
        {{"convert", "1:30"}, "1.5\n01:30:00\n"},
        {{"convert", "1:30", "--denominator", "4"}, "1 2/4\n01:30:00\n"},
        {{"convert", "1,234.5"}, "1234.5\n1234:30:00\n"},
        {{"convert", "1E20"}, "1E20\n\n"},
        {{"convert", "1 1/8", "--denominator", "4"}, "1 1/4\n01:07:30\n"},
        {{"convert", "1 1/8", "--denominator", "4", "--rounding", "up"}, "1 1/4\n01:07:30\n"},
        {{"convert", "1 1/8", "--denominator", "4", "--rounding", "even"}, "1\n01:07:30\n"},
        {{"convert", "1,5", "--decimal-separator", ","}, "1,5\n01:30:00\n"},
        {{"convert", "1.234,5", "--decimal-separator", ",", "--thousand-separator", "."}, "1234,5\n1234:30:00\n"},
        // A blank thousand separator becomes the no-break space and the fraction leader "_";
        // output is UTF-8.
        {{"convert", "1\xC2\xA0" "234_1/2", "--thousand-separator", " "}, "1234.5\n1234:30:00\n"},
        {{"convert", "1234.5", "--thousand-separator", " ", "--denominator", "2"}, "1234_1/2\n1234:30:00\n"},
        {{"convert", "1\xC2\xB7" "5", "--decimal-separator", "\xC2\xB7"}, "1\xC2\xB7" "5\n01:30:00\n"},
    };
    for (const Case& c : cases) {
        const RunResult r = RunCli(c.args);
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        EXPECT_EQ(r.status, 0) << joined;
        EXPECT_EQ(r.out, c.out) << joined;
    }
}

TEST_F(CliConvertTest, SeparatorFallbackWarnsAndUsesDefaults) {
    const RunResult r = RunCli({"convert", "1.5", "--decimal-separator", "::"}, true);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("unusable separators"), std::string::npos);
    EXPECT_NE(r.out.find("1.5\n01:30:00\n"), std::string::npos);
}

TEST_F(CliConvertTest, NoConversionExitsWithOne) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"convert", "abc"}, {"convert", ""}, {"convert", "1E5000"},
          {"convert", "1.5", "--denominator", "x"}}) {
        const RunResult r = RunCli(args);
        EXPECT_EQ(r.status, 1) << args[1];
        EXPECT_EQ(r.out, "") << args[1];
    }
}

TEST_F(CliConvertTest, WrongArgumentsExitWithTwoAndUsage) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"bogus"}, {"convert"}, {"convert", "1", "2"}, {"convert", "1", "--rounding", "down"},
          {"convert", "1", "--rounding"}, {"convert", "1", "--frobnicate"}, {"convert", "1", "--denominator"}}) {
        const RunResult r = RunCli(args, true);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(r.status, 2) << joined;
        EXPECT_NE(r.out.find("usage: tallyroll-cli"), std::string::npos) << joined << r.out;
    }
}

TEST_F(CliConvertTest, Help) {
    RunResult r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("convert"), std::string::npos);
    r = RunCli({"convert", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--denominator"), std::string::npos);
}

}  // namespace
