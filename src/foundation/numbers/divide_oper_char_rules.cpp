#include "foundation/numbers/divide_oper_char_rules.h"

#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/numbers/format_settings.h"

namespace tally {

TDivideOperCharRules::TDivideOperCharRules(TStMediator& mediator, const ISystemLanguageQuery& language)
    : mediator_(mediator), languageId_(language.PrimaryLanguageId()) {
    mediator_.Add(events::GloObj_GetDivideOperCharRulesObj, [this](TMedRecord*, TMedRecord* out) {
        if (auto* ref = RecordAs<TMedObjectReference>(out)) ref->ObjRef = this;
    });
    slash_ = '/';
    divisionSign_ = '\xF7';
    Choose();
}

TDivideOperCharRules::~TDivideOperCharRules() { mediator_.Remove(events::GloObj_GetDivideOperCharRulesObj); }

void TDivideOperCharRules::Choose() {
    // "NT family, major version 5 or later" always holds here; only the language decides.
    const int lang = languageId_;
    current_ = (lang == kLangChinese || lang == kLangJapanese || lang == kLangKorean) ? slash_ : divisionSign_;
    SetDivideOperChar(current_);
}

char TDivideOperCharRules::Normalize(char typed) const noexcept {
    if (typed == divisionSign_ && current_ == slash_) return slash_;
    if (typed == slash_ && current_ == divisionSign_) return divisionSign_;
    return typed;
}

}  // namespace tally
