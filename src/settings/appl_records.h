#pragma once
// Message records of the application settings.

#include <cstdint>
#include <string>

#include "foundation/mediator.h"
#include "platform/font_description.h"

namespace tally {

// The configuration the program had when it was last closed, which the first new document of
// the next run takes over.
class TFileShutdownConfig : public TMedRecord {
public:
    std::string AuxTapeIds;
    std::string TableIds;
    bool AnnotationsEnabled = false;
    bool MemoryEnabled = false;
    bool ShowingLineNumbers = false;
    bool ShowingLinks = false;
    bool ShowingRunningTotal = false;
    bool ShowingTableColumns = false;
    bool ShowingThousandSeparator = false;
    bool SideTapeEnabled = false;
};

// The display-related general options handed to every open document after the general
// options changed. Colours as 0x00BBGGRR.
class TGenlOptionsVariables : public TMedRecord {
public:
    bool AutoIncreaseDecimalPlaces = false;
    bool AutoSetTotalType = true;
    std::uint32_t EmbeddedSeriesColor = 0xCCFFCC;
    std::uint32_t GrandTotalColor = 0xFDCF9D;
    std::uint32_t GroupTotalColor = 0xFEE4C2;
    std::string GrandTotalCreationDisplayState = "SL";
    std::string GroupTotalCreationDisplayState = "SL";
    std::uint32_t FocusHighlightColor = 0xFFFF00;
    TFontDescription TapeScreenFont;
    std::uint32_t ZeroTotalLineColor = 0xC0C0C0;
};

}  // namespace tally
