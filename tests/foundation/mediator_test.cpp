#include "foundation/mediator.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "foundation/event_names.h"
#include "foundation/message_records.h"

namespace tally {
namespace {

namespace ev = events;

// A handler owner that counts its calls and answers integer queries with its own value.
struct TAnswerer {
    int calls = 0;
    std::int32_t answer = 0;
    TMedHandler Handler() {
        return [this](TMedRecord*, TMedRecord* out) {
            ++calls;
            if (auto* value = RecordAs<TMedInteger>(out)) value->Value = answer;
        };
    }
};

TEST(MediatorTest, LookupIgnoresLetterCase) {
    TStMediator bus;
    TAnswerer owner{.answer = 7};
    bus.Add(ev::FileObj_GetMainTapeCalcObject, owner.Handler());

    for (std::string_view spelling :
         {"fileobj_getmaintapecalcobject", "FILEOBJ_GETMAINTAPECALCOBJECT",
          "FileObj_GetMainTapeCalcObject"}) {
        SCOPED_TRACE(std::string(spelling));
        EXPECT_TRUE(bus.Exists(spelling));
        TMedInteger out;
        bus.Handle(spelling, nullptr, &out);
        EXPECT_EQ(out.Value, 7);
    }
    EXPECT_EQ(owner.calls, 3);
    EXPECT_FALSE(bus.Exists("FileObj_GetMainTapeCalcObjec"));
}

TEST(MediatorTest, EachBusSeesOnlyItsOwnRegistrations) {
    TStMediator applicationBus, fileManagerBus, documentBus;
    TAnswerer settings, fileManager, document;
    applicationBus.Add(ev::ApplCtl_GetMaxTableDataCols, settings.Handler());
    fileManagerBus.Add(ev::FileMgr_GetMaxTableDataCols, fileManager.Handler());
    documentBus.Add(ev::FileObj_GetMaxTableDataCols, document.Handler());

    EXPECT_TRUE(documentBus.Exists(ev::FileObj_GetMaxTableDataCols));
    EXPECT_FALSE(documentBus.Exists(ev::FileMgr_GetMaxTableDataCols));
    EXPECT_FALSE(documentBus.Exists(ev::ApplCtl_GetMaxTableDataCols));
    EXPECT_FALSE(fileManagerBus.Exists(ev::FileObj_GetMaxTableDataCols));
    EXPECT_FALSE(fileManagerBus.Exists(ev::ApplCtl_GetMaxTableDataCols));
    EXPECT_FALSE(applicationBus.Exists(ev::FileMgr_GetMaxTableDataCols));
}

TEST(MediatorTest, DuplicateAddFailsNamingTheEventAndKeepsTheFirstHandler) {
    TStMediator bus;
    TAnswerer first{.answer = 1}, second{.answer = 2};
    bus.Add(ev::LinkMgr_GetNewLinkNumber, first.Handler());

    try {
        // Another spelling of the same name is the same name.
        bus.Add("linkmgr_getnewlinknumber", second.Handler());
        FAIL() << "a second registration was accepted";
    } catch (const EMediatorError& error) {
        EXPECT_STREQ(error.what(),
                     "TStMediator.Add: event name [linkmgr_getnewlinknumber] already exists");
    }

    TMedInteger out;
    bus.Handle(ev::LinkMgr_GetNewLinkNumber, nullptr, &out);
    EXPECT_EQ(out.Value, 1);
    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(second.calls, 0);
}

TEST(MediatorTest, RemoveThenAddRegistersTheNewHandler) {
    TStMediator bus;
    TAnswerer first{.answer = 1}, second{.answer = 2};
    bus.Add(ev::TableMgr_IsTableColumnEmpty, first.Handler());
    bus.Remove("TABLEMGR_ISTABLECOLUMNEMPTY");
    EXPECT_FALSE(bus.Exists(ev::TableMgr_IsTableColumnEmpty));

    bus.Add(ev::TableMgr_IsTableColumnEmpty, second.Handler());
    TMedInteger out;
    bus.Handle(ev::TableMgr_IsTableColumnEmpty, nullptr, &out);
    EXPECT_EQ(out.Value, 2);
    EXPECT_EQ(first.calls, 0);
}

TEST(MediatorTest, RemovingAnUnknownNameChangesNothing) {
    TStMediator bus;
    TAnswerer owner;
    bus.Add(ev::AuxMgr_GetAuxCalculatorById, owner.Handler());
    bus.Remove(ev::AuxMgr_IsEnabledAuxTapeId);
    EXPECT_TRUE(bus.Exists(ev::AuxMgr_GetAuxCalculatorById));
}

TEST(MediatorTest, HandlingAnUnknownNameIsAnErrorNamingTheEvent) {
    TStMediator bus;
    TMedInteger out;
    try {
        bus.Handle(ev::FileObj_GetStartupDecimalPlaces, nullptr, &out);
        FAIL() << "an unknown event was handled";
    } catch (const EMediatorError& error) {
        EXPECT_STREQ(error.what(),
                     "TStMediator.Handle: event name [FileObj_GetStartupDecimalPlaces] not found");
    }
    EXPECT_EQ(out.Value, 0);
}

TEST(MediatorTest, UnansweredQueryLeavesTheOutRecordAtItsDefault) {
    TStMediator bus;
    TMedColor color;
    TMedInteger integer;
    TMedString text;
    TMedFont font;
    EXPECT_FALSE(bus.HandleIfExists(ev::ApplCtl_GetGrandTotalColor, nullptr, &color));
    EXPECT_FALSE(bus.HandleIfExists(ev::ApplCtl_GetStartupDecimalPlaces, nullptr, &integer));
    EXPECT_FALSE(bus.HandleIfExists(ev::PLDefaults_GetDefaultTapeTitle, nullptr, &text));
    EXPECT_FALSE(bus.HandleIfExists(ev::ApplCtl_GetTapeScreenFont, nullptr, &font));
    EXPECT_EQ(color.Value, 0xFFFFFFu);
    EXPECT_EQ(integer.Value, 0);
    EXPECT_EQ(text.Value, "");
    EXPECT_EQ(font.Font.Name, "System");
}

TEST(MediatorTest, HandlerErrorsPassThroughRelayingHandlersUnchanged) {
    TStMediator applicationBus, documentBus;
    applicationBus.Add(ev::ApplCtl_GetStartupDecimalPlaces, [](TMedRecord*, TMedRecord*) {
        throw std::overflow_error("time overflow");
    });
    // The document's handler writes its fallback, then relays the same records one tier up.
    documentBus.Add(ev::FileObj_GetStartupDecimalPlaces,
                    [&applicationBus](TMedRecord* in, TMedRecord* out) {
                        RecordAs<TMedInteger>(out)->Value = 2;
                        applicationBus.HandleIfExists(ev::ApplCtl_GetStartupDecimalPlaces, in, out);
                    });

    auto out = std::make_unique<TMedInteger>();
    EXPECT_THROW(documentBus.Handle(ev::FileObj_GetStartupDecimalPlaces, nullptr, out.get()),
                 std::overflow_error);
    EXPECT_EQ(out->Value, 2);
    // The bus is still usable after the error.
    EXPECT_TRUE(documentBus.Exists(ev::FileObj_GetStartupDecimalPlaces));
}

TEST(MediatorTest, RelayedQueryIsAnsweredByTheTopTier) {
    TStMediator applicationBus, fileManagerBus, documentBus;
    TAnswerer settings{.answer = 4};
    applicationBus.Add(ev::ApplCtl_GetStartupDecimalPlaces, settings.Handler());
    fileManagerBus.Add(ev::FileMgr_GetStartupDecimalPlaces,
                       [&](TMedRecord* in, TMedRecord* out) {
                           applicationBus.HandleIfExists(ev::ApplCtl_GetStartupDecimalPlaces, in,
                                                         out);
                       });
    documentBus.Add(ev::FileObj_GetStartupDecimalPlaces, [&](TMedRecord* in, TMedRecord* out) {
        RecordAs<TMedInteger>(out)->Value = 2;
        fileManagerBus.HandleIfExists(ev::FileMgr_GetStartupDecimalPlaces, in, out);
    });

    TMedInteger out;
    documentBus.Handle(ev::FileObj_GetStartupDecimalPlaces, nullptr, &out);
    EXPECT_EQ(out.Value, 4);

    applicationBus.Remove(ev::ApplCtl_GetStartupDecimalPlaces);
    TMedInteger fallback;
    documentBus.Handle(ev::FileObj_GetStartupDecimalPlaces, nullptr, &fallback);
    EXPECT_EQ(fallback.Value, 2);
}

TEST(MediatorTest, FreeingABusFreesItsHandlersButNotTheirOwners) {
    TAnswerer owner;
    auto captured = std::make_shared<int>(0);
    {
        TStMediator bus;
        bus.Add(ev::LinkMgr_UpdateLinksDisplay,
                [&owner, captured](TMedRecord*, TMedRecord*) { ++owner.calls; });
        bus.Handle(ev::LinkMgr_UpdateLinksDisplay, nullptr, nullptr);
        EXPECT_EQ(captured.use_count(), 2);
    }
    EXPECT_EQ(captured.use_count(), 1);
    EXPECT_EQ(owner.calls, 1);
}

TEST(MediatorTest, HandlerMayRemoveItsOwnRegistrationWhileRunning) {
    TStMediator bus;
    int calls = 0;
    bus.Add(ev::CopyMgr_StoreEntryCopyData, [&](TMedRecord*, TMedRecord*) {
        bus.Remove(ev::CopyMgr_StoreEntryCopyData);
        ++calls;
    });
    bus.Handle(ev::CopyMgr_StoreEntryCopyData, nullptr, nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(bus.Exists(ev::CopyMgr_StoreEntryCopyData));
}

}  // namespace
}  // namespace tally
