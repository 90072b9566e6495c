// The checks the tapes ask for over the document bus, answered by the link manager.
#include "link_test_fixture.h"

namespace tally::test {
namespace {

TEST_F(LinkTest, DeletingAZeroTotalLineThatWouldCloseACircleIsRefused) {
    // T5 (total of the first series) feeds T7 in the second one; T9, the second total, feeds
    // T2. Joining the two series would make T7 feed T9 and T2 feed T5.
    ReplaceTapeLines(main_, {{" ", "+1.00"}, {" ", "+3.00", Lid("AD+", 2)}, {" ", "+1.00"}, {"=", "=========="},
                             {"T", "5.00", Lid("AS+", 1)}, {"Z", "0.00"}, {" ", "+5.00", Lid("AD+", 1)},
                             {"=", "=========="}, {"T", "3.00", Lid("AS+", 2)}, {"Z", "0.00"}, {" ", ""}},
                     5);
    EXPECT_FALSE(main_.DeleteLine());
    EXPECT_EQ(Explanation(),
              "Cannot delete the zero total line at line 6.  Its deletion would create a circular link between the "
              "following lines: T2 to T5 to T7 to T9 to T2");
    EXPECT_EQ(main_.Lines().Indicator(5), "Z");
}

TEST_F(LinkTest, PotentialCircleAndTapeObjectsOverTheBus) {
    ReplaceTapeLines(main_, {{" ", "+1.00"}, {"=", "=========="}, {"T", "1.00", Lid("AS+", 1)}, {"Z", "0.00"}, {" ", ""}});
    TMedLnkMgr_PotentialCircLink_In in;
    in.Tape = &main_;
    in.Line = 1;
    in.LinkData = "AD+" + Num(1);
    TMedBoolean circular;
    bus_.Handle(events::LinkMgr_PotentialCircLink, &in, &circular);
    EXPECT_TRUE(circular.Value);
    EXPECT_EQ(in.Chain, "T1 to T3 to T1");
    TMedChar id;
    id.Value = 'a';
    TMedLnkMgr_CalculatorObject_Out tape;
    bus_.Handle(events::LinkMgr_GetCalcObjectByTapeId, &id, &tape);
    EXPECT_EQ(tape.Tape, &aux_);
    auxEnabled_ = false;
    bus_.Handle(events::LinkMgr_GetCalcObjectByTapeId, &id, &tape);
    EXPECT_EQ(tape.Tape, nullptr);
}

}  // namespace
}  // namespace tally::test
