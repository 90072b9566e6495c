#pragma once
// tallyroll-cli: the headless batch tool. Each subcommand lives in its own file and registers
// itself with a TCommandRegistrar at namespace scope; main() only dispatches.

#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tally::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command ran but could not do what was asked
inline constexpr int kExitUsage = 2;    // wrong arguments

struct TCliIo {
    std::FILE* Out = stdout;
    std::FILE* Err = stderr;
};

// Arguments after the subcommand name, as given (UTF-8).
using TCommandArgs = std::span<const std::string_view>;
using TCommandRun = int (*)(TCommandArgs args, TCliIo& io);

struct TCliCommand {
    std::string_view Name;
    std::string_view Usage;    // the synopsis and option list, several lines
    std::string_view Summary;  // one line for the command list
    TCommandRun Run = nullptr;
};

void RegisterCommand(const TCliCommand& command);
// Sorted by name.
std::vector<TCliCommand> Commands();

struct TCommandRegistrar {
    explicit TCommandRegistrar(const TCliCommand& command) { RegisterCommand(command); }
};

// The whole program: dispatches argv[1] to its command.
int RunCli(int argc, const char* const* argv, TCliIo& io);

// Output helpers: texts are Windows-1252 inside and UTF-8 outside.
void WriteText(std::FILE* stream, std::string_view windows1252);
void WriteLine(std::FILE* stream, std::string_view windows1252);
// Writes "tallyroll-cli <command>: <message>" and the command's usage on stderr; returns 2.
int UsageError(TCliIo& io, std::string_view command, std::string_view message);

// Parses "--name value" and "--name=value" at args[i]; advances i past the value.
// Returns false when args[i] is not that option; sets missingValue when the value is absent.
bool TakeOption(TCommandArgs args, std::size_t& i, std::string_view name, std::string_view& value,
                bool& missingValue);

}  // namespace tally::cli
