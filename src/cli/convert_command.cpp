// tallyroll-cli convert: the conversion toolbox on the command line.

#include <string>

#include "cli/cli_command.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_conversion.h"
#include "foundation/text_encoding.h"

namespace tally::cli {

namespace {

constexpr std::string_view kName = "convert";

constexpr std::string_view kUsage =
    "usage: tallyroll-cli convert ORIGINAL [--denominator D] [--rounding up|even]\n"
    "                             [--decimal-separator S] [--thousand-separator S]\n"
    "\n"
    "Converts ORIGINAL (a decimal number, a fraction such as \"1 3/4\", or a time value such as\n"
    "\"1:30\" or \"1:30:15\") like the conversion toolbox, and prints two lines: the Equivalent\n"
    "(decimal, or fraction over D when D is given) and the Equivalent time (hours:minutes:seconds).\n"
    "\n"
    "  --denominator D          integer denominator of the fractional equivalent (0 counts as 1)\n"
    "  --rounding up|even       rounding method of the numerator (default up)\n"
    "  --decimal-separator S    decimal separator (default \".\", or \",\" when the thousand\n"
    "                           separator is \".\")\n"
    "  --thousand-separator S   thousand separator (default \",\", or \".\" when the decimal\n"
    "                           separator is \",\"); a space makes the fraction leader \"_\"\n"
    "Exit status: 0 converted, 1 no conversion applies, 2 wrong arguments.\n";

int RunConvert(TCommandArgs args, TCliIo& io) {
    std::string_view original, denominator, rounding = "up", decimalSep, thousandSep;
    bool haveOriginal = false, haveDecimal = false, haveThousand = false, optionsEnded = false;
    for (std::size_t i = 0; i < args.size();) {
        const std::string_view arg = args[i];
        if (!optionsEnded && arg.starts_with("--")) {
            if (arg == "--") {
                optionsEnded = true;
                ++i;
                continue;
            }
            std::string_view value;
            bool missing = false;
            if (TakeOption(args, i, "--denominator", value, missing)) {
                denominator = value;
            } else if (TakeOption(args, i, "--rounding", value, missing)) {
                rounding = value;
            } else if (TakeOption(args, i, "--decimal-separator", value, missing)) {
                decimalSep = value;
                haveDecimal = true;
            } else if (TakeOption(args, i, "--thousand-separator", value, missing)) {
                thousandSep = value;
                haveThousand = true;
            } else {
                return UsageError(io, kName, "unknown option '" + std::string(arg) + "'");
            }
            if (missing) return UsageError(io, kName, "option '" + std::string(arg) + "' needs a value");
            continue;
        }
        if (haveOriginal) return UsageError(io, kName, "more than one number given");
        original = arg;
        haveOriginal = true;
        ++i;
    }
    if (!haveOriginal) return UsageError(io, kName, "no number given");
    if (rounding != "up" && rounding != "even") {
        return UsageError(io, kName, "--rounding must be 'up' or 'even'");
    }
    if (!haveDecimal) decimalSep = (haveThousand && thousandSep == ".") ? "," : ".";
    if (!haveThousand) thousandSep = (decimalSep == ",") ? "." : ",";
    if (!SetFormatSeparatorsUtf8(decimalSep, thousandSep)) {
        std::fputs("tallyroll-cli convert: unusable separators; using \".\" and \",\"\n", io.Err);
    }

    const std::string originalText = Utf8ToWindows1252(original);
    const std::string denominatorText = Utf8ToWindows1252(denominator);
    const TNumberConversion result = ConvertNumber(originalText, denominatorText, rounding == "even");
    if (!result.Matched) {
        std::string message = "tallyroll-cli convert: '" + std::string(original) +
                              "' is not a decimal number, fraction or time value";
        if (!denominator.empty()) message += ", or the denominator is not an integer";
        message += "\n";
        std::fputs(message.c_str(), io.Err);
        return kExitFailure;
    }
    WriteLine(io.Out, result.Equivalent);
    WriteLine(io.Out, result.EquivalentTime);
    return kExitOk;
}

const TCommandRegistrar kRegistrar{{kName, kUsage, "convert a number between decimal, fraction and time forms",
                                    &RunConvert}};

}  // namespace

}  // namespace tally::cli
