#include "links/link_data_codec.h"

#include <chrono>
#include <charconv>
#include <random>

#include "engine/lines/link_data.h"

namespace tally {

std::string MakeLinkData(char state, char role, char sign, std::string_view number, char flag) {
    std::string text{state, role, sign};
    text += number;
    if (flag != '\0') {
        text += ',';
        text += flag;
    }
    return text;
}

std::string WithLinkState(std::string_view linkData, char state) {
    std::string text(linkData);
    if ((state == 'A' || state == 'P') && !text.empty()) text[0] = state;
    return text;
}

std::string WithLinkSign(std::string_view linkData, char sign) {
    std::string text(linkData);
    if ((sign == '+' || sign == '-') && text.size() >= 3) text[2] = sign;
    return text;
}

std::string WithLinkNumber(std::string_view linkData, std::string_view number) {
    std::string text(linkData);
    if (IsWellFormedLinkData(linkData) && IsLinkNumber(number)) text.replace(3, kLinkNumberDigits, number);
    return text;
}

std::string WithLinkFlag(std::string_view linkData, std::string_view flag) {
    std::string text(linkData);
    if (text.size() == 19 && (flag == "P" || flag == "D")) {
        text += ',';
        text += flag;
    } else if (text.size() == 21 && flag == "D") {
        text.replace(19, 2, ",D");
    } else if (text.size() == 21 && flag.empty()) {
        text.resize(19);
    }
    return text;
}

bool IsLinkNumber(std::string_view text) {
    if (text.size() != kLinkNumberDigits) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

TRandomFraction ProgramRandomFraction() {
    return [] {
        static std::mt19937_64 generator(
            static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
        return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
    };
}

std::string DrawLinkNumber(const TRandomFraction& random) {
    double fraction = random();
    if (!(fraction >= 0.0 && fraction < 1.0)) fraction = 0.0;
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, fraction, std::chars_format::fixed, 16);
    const std::string_view text(buffer, error == std::errc() ? static_cast<std::size_t>(end - buffer) : 0);
    // A fraction just below 1 rounds up to "1.000...".
    if (text.size() != 18 || text.substr(0, 2) != "0.") return std::string(kLinkNumberDigits, '9');
    return std::string(text.substr(2));
}

namespace {

// The next 16-digit number, 9999999999999999 followed by 0000000000000000.
void Increment(std::string& number) {
    for (std::size_t i = number.size(); i-- > 0;) {
        if (number[i] != '9') {
            ++number[i];
            return;
        }
        number[i] = '0';
    }
}

}  // namespace

std::string DrawUnusedLinkNumber(const TRandomFraction& random, std::set<std::string, std::less<>>& taken) {
    constexpr int kDraws = 64;
    std::string number;
    for (int draw = 0; draw < kDraws; ++draw) {
        number = DrawLinkNumber(random);
        if (taken.insert(number).second) return number;
    }
    // A generator that keeps repeating itself: step on from its last number to a free one.
    do {
        Increment(number);
    } while (!taken.insert(number).second);
    return number;
}

}  // namespace tally
