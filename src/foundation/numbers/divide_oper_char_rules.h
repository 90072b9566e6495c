#pragma once
// TDivideOperCharRules: which character is the divide operator (the division sign or "/"). One
// instance, owned by the main window, reachable through "GloObj_GetDivideOperCharRulesObj",
// whose Out TMedObjectReference receives the instance.

#include "foundation/mediator.h"
#include "foundation/numbers/system_language_query.h"

namespace tally {

class TDivideOperCharRules {
public:
    // Registers the event, asks the language once, chooses the current divide character and puts
    // it into the format settings (SetDivideOperChar).
    TDivideOperCharRules(TStMediator& mediator, const ISystemLanguageQuery& language);
    ~TDivideOperCharRules();  // removes the registration
    TDivideOperCharRules(const TDivideOperCharRules&) = delete;
    TDivideOperCharRules& operator=(const TDivideOperCharRules&) = delete;

    // The division sign, except for a system default language of Chinese, Japanese or Korean: "/".
    void Choose();
    char CurrentChar() const noexcept { return current_; }
    char DivisionSign() const noexcept { return divisionSign_; }
    char Slash() const noexcept { return slash_; }
    // A typed division sign or "/" becomes the current divide character; other characters stay.
    char Normalize(char typed) const noexcept;

private:
    TStMediator& mediator_;
    int languageId_;  // the system's primary language id, asked once at creation
    char divisionSign_ = '\xF7';
    char slash_ = '/';
    char current_ = '\xF7';
};

}  // namespace tally
