#include "cli/cli_command.h"

#include <algorithm>

#include "foundation/text_encoding.h"

namespace tally::cli {

namespace {

std::vector<TCliCommand>& Registry() {
    static std::vector<TCliCommand> commands;
    return commands;
}

void WriteRaw(std::FILE* stream, std::string_view utf8) { std::fwrite(utf8.data(), 1, utf8.size(), stream); }

void WriteProgramUsage(std::FILE* stream) {
    WriteRaw(stream, "usage: tallyroll-cli <command> [arguments]\n\ncommands:\n");
    for (const TCliCommand& c : Commands()) {
        std::string line = "  " + std::string(c.Name);
        line.resize(std::max<std::size_t>(line.size() + 2, 14), ' ');
        line += c.Summary;
        line += '\n';
        WriteRaw(stream, line);
    }
    WriteRaw(stream, "\n'tallyroll-cli <command> --help' describes a command.\n");
}

const TCliCommand* Find(std::string_view name) {
    for (const TCliCommand& c : Registry()) {
        if (c.Name == name) return &c;
    }
    return nullptr;
}

}  // namespace

void RegisterCommand(const TCliCommand& command) { Registry().push_back(command); }

std::vector<TCliCommand> Commands() {
    std::vector<TCliCommand> sorted = Registry();
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    return sorted;
}

void WriteText(std::FILE* stream, std::string_view windows1252) { WriteRaw(stream, Windows1252ToUtf8(windows1252)); }

void WriteLine(std::FILE* stream, std::string_view windows1252) {
    WriteText(stream, windows1252);
    std::fputc('\n', stream);
}

int UsageError(TCliIo& io, std::string_view command, std::string_view message) {
    std::string text = "tallyroll-cli " + std::string(command) + ": " + std::string(message) + "\n";
    WriteRaw(io.Err, text);
    if (const TCliCommand* c = Find(command)) WriteRaw(io.Err, c->Usage);
    return kExitUsage;
}

bool TakeOption(TCommandArgs args, std::size_t& i, std::string_view name, std::string_view& value,
                bool& missingValue) {
    const std::string_view arg = args[i];
    missingValue = false;
    if (arg == name) {
        if (i + 1 >= args.size()) {
            missingValue = true;
            ++i;
            return true;
        }
        value = args[i + 1];
        i += 2;
        return true;
    }
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
        ++i;
        return true;
    }
    return false;
}

int RunCli(int argc, const char* const* argv, TCliIo& io) {
    if (argc < 2) {
        WriteProgramUsage(io.Err);
        return kExitUsage;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        WriteProgramUsage(io.Out);
        return kExitOk;
    }
    const TCliCommand* command = Find(name);
    if (command == nullptr) {
        WriteRaw(io.Err, "tallyroll-cli: unknown command '" + std::string(name) + "'\n");
        WriteProgramUsage(io.Err);
        return kExitUsage;
    }
    std::vector<std::string_view> args(argv + 2, argv + argc);
    for (std::string_view a : args) {
        if (a == "--help") {
            WriteRaw(io.Out, command->Usage);
            return kExitOk;
        }
        if (a == "--") break;
    }
    const int rc = command->Run(TCommandArgs(args.data(), args.size()), io);
    std::fflush(io.Out);
    return rc;
}

}  // namespace tally::cli
