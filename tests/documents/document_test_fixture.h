#pragma once
// A document on headless pages under a file-manager bus that queues its deferred requests,
// with a notifier that records every beep's explanation. Keys typed into a tape run the
// requests they post through the document after each key, as the main window does.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "documents/file_document.h"
#include "documents/posted_requests.h"
#include "engine/tape_route_typing.h"
#include "platform/clipboard.h"

namespace tally::test {

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : notifier_(platform_) { ServePostedRequests(fileBus_, queue_); }

    void Type(TCalculator& tape, std::string_view keys) {
        TypeKeys(tape, keys, [this] {
            queue_.Drain([this](const TDeferredRequest& request) { doc_.RunRequest(request); });
        });
    }
    std::vector<std::string>& Beeps() { return platform_.Explanations(); }
    std::vector<bool> TableColumnsShown() {
        std::vector<bool> shown;
        for (const TCalculator* tape : doc_.EnabledTapes()) shown.push_back(tape->IsColumnShown(TTapeColumn::TableColumns));
        return shown;
    }

    TBeepRecordingPlatform platform_;
    TInstalledNotifier notifier_;
    TStMediator fileBus_;
    TDeferredRequestQueue queue_;
    HeadlessDocumentPages pages_;
    HeadlessClipboard clipboard_;
    TTlyFile doc_{DocumentSetup()};

private:
    TTlyFileSetup DocumentSetup() {
        TTlyFileSetup setup;
        setup.ParentBus = &fileBus_;
        setup.Pages = &pages_;
        setup.Clipboard = &clipboard_;
        return setup;
    }
};

}  // namespace tally::test
