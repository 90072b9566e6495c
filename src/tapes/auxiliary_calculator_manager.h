#pragma once
// TAuxiliaryCalculatorManager: the labelled auxiliary tapes of one document. It hands out their
// id letters ("a" to "z" without the letters that already mean something in an entry or a
// command), creates and removes the tapes, finds them, passes the document's display settings
// on to them and answers the "AuxMgr_" events on the document bus.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tape/calculator.h"

namespace tally {

class ITapeView;
class TStMediator;

// The document settings every auxiliary tape follows.
struct TAuxTapeSettings {
    TTapeColors Colors;
    // How new group and grand totals are shown ("SL" a single line, or itemized).
    std::string GroupTotalCreationDisplay = "SL";
    std::string GrandTotalCreationDisplay = "SL";
    TRoundingMethod RoundingMethod = TRoundingMethod::Up;
    bool ShowAnnotations = true;
    bool ShowLineNumbers = true;
    bool ShowLinks = true;
    bool ShowRunningTotal = true;
    bool ShowTableColumns = true;
    bool ShowThousands = true;
};

class TAuxiliaryCalculatorManager {
public:
    static constexpr std::string_view kReservedLetters = "hlmnorstx";
    static constexpr int kMaxTapes = 26 - static_cast<int>(kReservedLetters.size());

    // Serves the "AuxMgr_" events on the bus (when given) until destroyed.
    explicit TAuxiliaryCalculatorManager(TStMediator* documentBus = nullptr);
    ~TAuxiliaryCalculatorManager();
    TAuxiliaryCalculatorManager(const TAuxiliaryCalculatorManager&) = delete;
    TAuxiliaryCalculatorManager& operator=(const TAuxiliaryCalculatorManager&) = delete;

    // Lets the tape's entries name the auxiliary tapes by their letters. Auxiliary tapes are
    // connected when created; the document connects its main, memory and side tapes.
    void ConnectTape(TCalculator& tape);
    // Null when the limit is reached or the name is not "Aux " and a free ASCII letter A-Z.
    // The view is the caller's; none gives the tape one of fixed metrics.
    TCalculator* CreateNext(ITapeView* view = nullptr);
    TCalculator* CreateByName(std::string_view name, ITapeView* view = nullptr);
    void Remove(TCalculator* tape);
    void RemoveByName(std::string_view name);
    void RemoveAll();

    int Count() const { return static_cast<int>(tapes_.size()); }
    bool MoreAvailable() const { return Count() < kMaxTapes; }
    TCalculator* FindById(char letter) const;
    TCalculator* FindByName(std::string_view name) const;
    TCalculator* Current() const { return current_; }
    void MakeCurrentByName(std::string_view name) { current_ = FindByName(name); }
    bool IsAuxiliary(const TCalculator* tape) const;
    // Compared exactly: the used ids are lower case.
    bool IsEnabledId(char letter) const { return usedIds_.find(letter) != std::string::npos; }
    // "Aux " and the upper-case letter; empty for a reserved letter or a non-letter.
    static std::string NameForId(char letter);
    const std::string& UsedIds() const { return usedIds_; }
    TCalculator* TapeAt(int index) const;

    std::string Label(const TCalculator* tape) const;
    void SetLabel(const TCalculator* tape, std::string label);
    std::vector<std::string> Names() const;
    std::vector<std::string> Labels() const;

    // The walk over the tapes: First starts it, Next goes on; null at the end ends it.
    TCalculator* First();
    TCalculator* Next();

    bool AllEmpty() const;
    bool AllAnnotationsEmpty() const;
    bool AnyModified() const;
    void SetModified(bool modified);
    // Erases every tape (which leaves one line of the default height), puts its shown columns
    // back to their default widths, and gives it back its default page header and title, with
    // no label and no note lines.
    void EraseAll();
    // The widest of the tapes' shown columns together; 0 without tapes.
    int WidestDisplay() const;
    void ApplySettings(const TAuxTapeSettings& settings);
    // New colours and creation display states of group and grand totals, for the tapes there
    // are and the tapes to come; the other settings stay.
    void ApplyDisplaySettings(const TTapeColors& colors, std::string groupTotalCreationDisplay,
                              std::string grandTotalCreationDisplay);

private:
    struct TAuxTape {
        std::unique_ptr<TCalculator> Tape;
        std::string Label;
    };
    static bool IsTapeLetter(char letter);
    std::string AskDefaultText(std::string_view eventName) const;
    void GiveDefaults(TCalculator& tape) const;
    // The colours and the creation display states of new group and grand totals.
    void GiveDisplaySettings(TCalculator& tape) const;
    const TAuxTape* Entry(const TCalculator* tape) const;

    TStMediator* documentBus_;
    std::vector<TAuxTape> tapes_;
    TCalculator* current_ = nullptr;
    TAuxTapeSettings settings_;
    std::string usedIds_;
    int walkIndex_ = -1;
};

}  // namespace tally
