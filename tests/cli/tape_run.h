#pragma once
// Runs `tallyroll-cli tape` (the program named by TALLYROLL_CLI, set by CTest) as its own
// process and collects what it writes.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tally::test {

struct RunResult {
    std::string out;
    std::string err;
    int status = -1;
};

inline std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs `tallyroll-cli tape` with the arguments, feeding `input` on standard input. As an
// ordinary user, run by root the tool runs as "nobody", whom permission bits stop.
inline RunResult RunTape(const std::vector<std::string>& args, const std::string& input = "",
                         bool asOrdinaryUser = false) {
    RunResult result;
    char errPath[] = "/tmp/cli_tape_err_XXXXXX";
    const int errFile = mkstemp(errPath);
    if (errFile < 0) return result;
    close(errFile);
    char inPath[] = "/tmp/cli_tape_in_XXXXXX";
    const int inFile = mkstemp(inPath);
    if (inFile < 0) return result;
    if (write(inFile, input.data(), input.size()) != static_cast<ssize_t>(input.size())) return result;
    close(inFile);

    std::string command = Quote(std::getenv("TALLYROLL_CLI")) + " tape";
    if (asOrdinaryUser && geteuid() == 0) command = "setpriv --reuid=nobody --regid=nogroup --clear-groups " + command;
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " <" + Quote(inPath) + " 2>" + Quote(errPath);
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe != nullptr) {
        char buffer[4096];
        std::size_t count = 0;
        while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, count);
        const int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::ifstream err(errPath, std::ios::binary);
    std::stringstream text;
    text << err.rdbuf();
    result.err = text.str();
    std::remove(errPath);
    std::remove(inPath);
    return result;
}

// What the shell command writes on standard output.
inline std::string CommandOutput(const std::string& command) {
    std::string text;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) return text;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, count);
    pclose(pipe);
    return text;
}

// The text pdftotext reads from the PDF, and what pdfinfo tells of it.
inline std::string PdfText(const std::string& pdf) { return CommandOutput("pdftotext -layout " + Quote(pdf) + " -"); }
inline std::string PdfInfo(const std::string& pdf) { return CommandOutput("pdfinfo " + Quote(pdf)); }

inline bool HavePdfTools() { return std::system("command -v pdftotext >/dev/null 2>&1") == 0; }

}  // namespace tally::test
