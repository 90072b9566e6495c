#include "links/paste_links.h"

#include <map>

#include "engine/lines/calc_params.h"
#include "engine/lines/link_data.h"

namespace tally {

namespace {

struct TLinkRoles {
    bool source = false;
    bool destination = false;
};

using TRolesByNumber = std::map<std::string, TLinkRoles, std::less<>>;

TRolesByNumber CollectRoles(const TTapeRecord& record) {
    TRolesByNumber roles;
    for (const TRecordLineGroup& group : record.groups) {
        const TCalcParams params = TCalcParams::FromText(group.calcParams);
        const std::string_view linkData = params.Value(LineKey::kLinkId);
        const std::string_view number = LinkDataNumber(linkData);
        if (number.empty()) continue;
        TLinkRoles& entry = roles[std::string(number)];
        (LinkDataRole(linkData) == 'S' ? entry.source : entry.destination) = true;
    }
    return roles;
}

// The new number for each record number that must change.
std::map<std::string, std::string, std::less<>> Renumbering(const TRolesByNumber& roles, const TPasteRules& rules,
                                                           std::set<std::string, std::less<>>& numbersInUse,
                                                           const TRandomFraction& random) {
    std::map<std::string, std::string, std::less<>> renumbered;
    for (const auto& [number, role] : roles) {
        const bool internal = role.source && role.destination;
        const bool inUse = numbersInUse.contains(number);
        if ((rules.renumberInternal && internal) || (rules.replaceNumbersInUse && inUse)) {
            renumbered.emplace(number, DrawUnusedLinkNumber(random, numbersInUse));
        }
    }
    return renumbered;
}

}  // namespace

bool AreSeriesTypesCompatible(std::string_view a, std::string_view b) {
    const auto isRangeType = [](std::string_view type) {
        return type.empty() || type == "gro" || type == "groc" || type == "gra" || type == "grac";
    };
    return a == b || (isRangeType(a) && isRangeType(b));
}

std::string WithoutLeadingPlus(std::string text) {
    if (!text.empty() && text.front() == '+') text.erase(0, 1);
    return text;
}

TPasteCase ClassifyPaste(const TTapeRecord& record, std::string_view sessionId) {
    if (record.sessionId != sessionId) return TPasteCase::Foreign;
    if (record.operation == RecordOperation::kCut) return TPasteCase::Cut;
    if (record.operation == RecordOperation::kCopyToSide) return TPasteCase::SideCopy;
    return TPasteCase::Copy;
}

TPasteRules PasteRulesFor(TPasteTarget target, TPasteCase pasteCase) {
    TPasteRules rules;
    const bool tape = target == TPasteTarget::TapeOrRange;
    rules.dropSourceFlag = target == TPasteTarget::Series;
    switch (pasteCase) {
    case TPasteCase::Cut:
        rules.keepTableColumns = true;
        break;
    case TPasteCase::Copy:
        rules.renumberInternal = true;
        rules.unlinkLoneSources = true;
        break;
    case TPasteCase::SideCopy:
        rules.renumberInternal = !tape && target != TPasteTarget::EmbeddedSeries &&
                                 target != TPasteTarget::EmptyEmbeddedSeries;
        rules.unlinkLoneSources = !tape;
        rules.unlinkLoneDests = true;
        break;
    case TPasteCase::Foreign:
        rules.renumberInternal = !tape;
        rules.replaceNumbersInUse = tape;
        rules.unlinkLoneSources = true;
        rules.unlinkLoneDests = true;
        break;
    }
    return rules;
}

void PreparePastedProperties(TTapeRecord& record, const TPasteRules& rules,
                             std::set<std::string, std::less<>>& numbersInUse, const TRandomFraction& random) {
    const TRolesByNumber roles = CollectRoles(record);
    const auto renumbered = Renumbering(roles, rules, numbersInUse, random);
    for (TRecordLineGroup& group : record.groups) {
        if (group.calcParams.empty()) continue;
        TCalcParams params = TCalcParams::FromText(group.calcParams);
        if (!rules.keepTableColumns) {
            params.SetValue(LineKey::kTableColumnId, {});
            params.SetValue(LineKey::kTableColumnNumber, {});
        }
        std::string linkData(params.Value(LineKey::kLinkId));
        if (!linkData.empty()) {
            const std::string number(LinkDataNumber(linkData));
            const auto role = roles.find(number);
            const bool source = LinkDataRole(linkData) == 'S';
            const bool loneSource = role != roles.end() && source && !role->second.destination;
            const bool loneDest = role != roles.end() && !source && !role->second.source;
            if (number.empty() || (loneSource && rules.unlinkLoneSources) || (loneDest && rules.unlinkLoneDests)) {
                linkData.clear();
            } else {
                if (const auto changed = renumbered.find(number); changed != renumbered.end()) {
                    linkData = WithLinkNumber(linkData, changed->second);
                }
                if (source && rules.dropSourceFlag) linkData = WithLinkFlag(linkData, "");
            }
            params.SetValue(LineKey::kLinkId, linkData);
        }
        group.calcParams = params.Text();
    }
}

}  // namespace tally
