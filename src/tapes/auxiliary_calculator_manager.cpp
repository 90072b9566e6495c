#include "tapes/auxiliary_calculator_manager.h"

#include <utility>

#include <algorithm>

#include "engine/tape/tape_view.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"

namespace tally {

namespace ev = events;

namespace {
constexpr std::string_view kNamePrefix = "Aux ";

char LowerAscii(char letter) { return letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter; }
char UpperAscii(char letter) { return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter; }
}  // namespace

TAuxiliaryCalculatorManager::TAuxiliaryCalculatorManager(TStMediator* documentBus) : documentBus_(documentBus) {
    if (documentBus_ == nullptr) return;
    documentBus_->Add(ev::AuxMgr_IsEnabledAuxTapeId, [this](TMedRecord* in, TMedRecord* out) {
        RecordAs<TMedBoolean>(out)->Value = IsEnabledId(RecordAs<TMedChar>(in)->Value);
    });
    documentBus_->Add(ev::AuxMgr_GetAuxCalculatorById, [this](TMedRecord* in, TMedRecord* out) {
        RecordAs<TMedObjectReference>(out)->ObjRef = FindById(RecordAs<TMedChar>(in)->Value);
    });
}

TAuxiliaryCalculatorManager::~TAuxiliaryCalculatorManager() {
    if (documentBus_ != nullptr) {
        documentBus_->Remove(ev::AuxMgr_IsEnabledAuxTapeId);
        documentBus_->Remove(ev::AuxMgr_GetAuxCalculatorById);
    }
    RemoveAll();
}

bool TAuxiliaryCalculatorManager::IsTapeLetter(char letter) {
    const char lower = LowerAscii(letter);
    return lower >= 'a' && lower <= 'z' && kReservedLetters.find(lower) == std::string_view::npos;
}

std::string TAuxiliaryCalculatorManager::NameForId(char letter) {
    if (!IsTapeLetter(letter)) return {};
    return std::string(kNamePrefix) + UpperAscii(letter);
}

TCalculator* TAuxiliaryCalculatorManager::CreateNext(ITapeView* view) {
    if (!MoreAvailable()) return nullptr;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (IsTapeLetter(letter) && !IsEnabledId(letter)) return CreateByName(NameForId(letter), view);
    }
    return nullptr;
}

TCalculator* TAuxiliaryCalculatorManager::CreateByName(std::string_view name, ITapeView* view) {
    if (!MoreAvailable() || name.size() != kNamePrefix.size() + 1 || !name.starts_with(kNamePrefix)) return nullptr;
    const char letter = LowerAscii(name.back());
    if (!IsTapeLetter(letter) || IsEnabledId(letter)) return nullptr;
    auto tape = std::make_unique<TCalculator>(letter, documentBus_, view);
    tape->SetTapeName(NameForId(letter));
    GiveDisplaySettings(*tape);
    GiveDefaults(*tape);
    ConnectTape(*tape);
    TCalculator* created = tape.get();
    tapes_.push_back({std::move(tape), {}});
    usedIds_.push_back(letter);
    return created;
}

void TAuxiliaryCalculatorManager::ConnectTape(TCalculator& tape) {
    tape.Hooks().IsAuxTapeIdEnabled = [this](char letter) { return IsEnabledId(letter); };
}

std::string TAuxiliaryCalculatorManager::AskDefaultText(std::string_view eventName) const {
    TMedString answer;
    if (documentBus_ != nullptr) documentBus_->HandleIfExists(eventName, nullptr, &answer);
    return answer.Value;
}

void TAuxiliaryCalculatorManager::GiveDefaults(TCalculator& tape) const {
    tape.SetPageHeader(AskDefaultText(ev::FileObj_GetDefaultTapePageHeader));
    tape.SetTitle(AskDefaultText(ev::FileObj_GetDefaultTapeTitle));
}

void TAuxiliaryCalculatorManager::GiveDisplaySettings(TCalculator& tape) const {
    tape.SetColors(settings_.Colors);
    // A state the kind of total does not have is refused by the tape, which keeps its own.
    tape.SetGroupTotalCreationDisplayState(settings_.GroupTotalCreationDisplay);
    tape.SetGrandTotalCreationDisplayState(settings_.GrandTotalCreationDisplay);
}

void TAuxiliaryCalculatorManager::ApplyDisplaySettings(const TTapeColors& colors, std::string groupTotalCreationDisplay,
                                                       std::string grandTotalCreationDisplay) {
    settings_.Colors = colors;
    settings_.GroupTotalCreationDisplay = std::move(groupTotalCreationDisplay);
    settings_.GrandTotalCreationDisplay = std::move(grandTotalCreationDisplay);
    for (TAuxTape& aux : tapes_) {
        GiveDisplaySettings(*aux.Tape);
        aux.Tape->View().Repaint();
    }
}

void TAuxiliaryCalculatorManager::Remove(TCalculator* tape) {
    const auto found = std::find_if(tapes_.begin(), tapes_.end(), [tape](const TAuxTape& aux) { return aux.Tape.get() == tape; });
    if (found == tapes_.end()) return;
    const std::size_t used = usedIds_.find(tape->TapeId());
    if (used != std::string::npos) usedIds_.erase(used, 1);
    if (current_ == tape) current_ = nullptr;
    walkIndex_ = -1;
    tapes_.erase(found);
}

void TAuxiliaryCalculatorManager::RemoveByName(std::string_view name) { Remove(FindByName(name)); }

void TAuxiliaryCalculatorManager::RemoveAll() {
    while (!tapes_.empty()) Remove(tapes_.back().Tape.get());
}

TCalculator* TAuxiliaryCalculatorManager::FindById(char letter) const {
    const char lower = LowerAscii(letter);
    for (const TAuxTape& aux : tapes_) {
        if (aux.Tape->TapeId() == lower) return aux.Tape.get();
    }
    return nullptr;
}

TCalculator* TAuxiliaryCalculatorManager::FindByName(std::string_view name) const {
    for (const TAuxTape& aux : tapes_) {
        if (aux.Tape->TapeName() == name) return aux.Tape.get();
    }
    return nullptr;
}

bool TAuxiliaryCalculatorManager::IsAuxiliary(const TCalculator* tape) const { return Entry(tape) != nullptr; }

TCalculator* TAuxiliaryCalculatorManager::TapeAt(int index) const {
    return index >= 0 && index < Count() ? tapes_[static_cast<std::size_t>(index)].Tape.get() : nullptr;
}

const TAuxiliaryCalculatorManager::TAuxTape* TAuxiliaryCalculatorManager::Entry(const TCalculator* tape) const {
    for (const TAuxTape& aux : tapes_) {
        if (aux.Tape.get() == tape) return &aux;
    }
    return nullptr;
}

std::string TAuxiliaryCalculatorManager::Label(const TCalculator* tape) const {
    const TAuxTape* aux = Entry(tape);
    return aux != nullptr ? aux->Label : std::string();
}

void TAuxiliaryCalculatorManager::SetLabel(const TCalculator* tape, std::string label) {
    if (auto* aux = const_cast<TAuxTape*>(Entry(tape))) aux->Label = std::move(label);
}

std::vector<std::string> TAuxiliaryCalculatorManager::Names() const {
    std::vector<std::string> names;
    for (const TAuxTape& aux : tapes_) names.push_back(aux.Tape->TapeName());
    return names;
}

std::vector<std::string> TAuxiliaryCalculatorManager::Labels() const {
    std::vector<std::string> labels;
    for (const TAuxTape& aux : tapes_) labels.push_back(aux.Label);
    return labels;
}

TCalculator* TAuxiliaryCalculatorManager::First() {
    walkIndex_ = 0;
    return Next();
}

TCalculator* TAuxiliaryCalculatorManager::Next() {
    TCalculator* tape = walkIndex_ >= 0 ? TapeAt(walkIndex_) : nullptr;
    walkIndex_ = tape != nullptr ? walkIndex_ + 1 : -1;
    return tape;
}

bool TAuxiliaryCalculatorManager::AllEmpty() const {
    return std::all_of(tapes_.begin(), tapes_.end(), [](const TAuxTape& aux) { return aux.Tape->IsBlank(); });
}

bool TAuxiliaryCalculatorManager::AllAnnotationsEmpty() const {
    return std::all_of(tapes_.begin(), tapes_.end(), [](const TAuxTape& aux) {
        const TLineStore& lines = aux.Tape->Lines();
        for (LineIndex line = 0; line < lines.LineCount(); ++line) {
            if (!lines.Annotations(line).empty()) return false;
        }
        return true;
    });
}

bool TAuxiliaryCalculatorManager::AnyModified() const {
    return std::any_of(tapes_.begin(), tapes_.end(), [](const TAuxTape& aux) { return aux.Tape->IsModified(); });
}

void TAuxiliaryCalculatorManager::SetModified(bool modified) {
    for (TAuxTape& aux : tapes_) aux.Tape->SetModified(modified);
}

void TAuxiliaryCalculatorManager::EraseAll() {
    for (TAuxTape& aux : tapes_) {
        TCalculator& tape = *aux.Tape;
        tape.EraseTape();
        for (const TTapeColumn column : tape.ShownColumns()) tape.RestoreColumnWidth(column);
        GiveDefaults(tape);
        tape.SetNoteLines({});
        aux.Label.clear();
    }
}

int TAuxiliaryCalculatorManager::WidestDisplay() const {
    int widest = 0;
    for (const TAuxTape& aux : tapes_) {
        int width = 0;
        for (const TTapeColumn column : aux.Tape->ShownColumns()) width += aux.Tape->ColumnWidth(column);
        widest = std::max(widest, width);
    }
    return widest;
}

void TAuxiliaryCalculatorManager::ApplySettings(const TAuxTapeSettings& settings) {
    settings_ = settings;
    for (TAuxTape& aux : tapes_) {
        TCalculator& tape = *aux.Tape;
        GiveDisplaySettings(tape);
        tape.SetRoundingMethod(settings.RoundingMethod);
        tape.SetShowThousands(settings.ShowThousands);
        const std::pair<TTapeColumn, bool> columns[] = {
            {TTapeColumn::Annotations, settings.ShowAnnotations}, {TTapeColumn::Line, settings.ShowLineNumbers},
            {TTapeColumn::Links, settings.ShowLinks},             {TTapeColumn::RunningTotal, settings.ShowRunningTotal},
            {TTapeColumn::TableColumns, settings.ShowTableColumns}};
        for (const auto& [column, shown] : columns) {
            if (tape.IsColumnShown(column) != shown) tape.SetColumnShown(column, shown);
        }
        tape.RefreshAll();
        tape.View().Repaint();
    }
}

}  // namespace tally
