#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/lines/calc_params.h"
#include "engine/lines/line_store.h"

namespace tally {
namespace {

TEST(CalcParams, ParsesTextOnceAndWritesItBack) {
    const TCalcParams params = TCalcParams::FromText("STYP=e, TT=T2 ,\"LID=a b\"");
    EXPECT_EQ(params.Value(LineKey::kSeriesType), "e");
    EXPECT_EQ(params.Value(LineKey::kTotalType), "T2");
    EXPECT_EQ(params.Value(LineKey::kLinkId), "a b");
    EXPECT_EQ(params.Text(), "STYP=e,TT=T2,\"LID=a b\"");
}

TEST(CalcParams, DropsItemsThatAreNoPairsAndKeepsTheFirstOfTwins) {
    const TCalcParams params = TCalcParams::FromText("junk,=x,TT=,SDP=3,sdp=5");
    EXPECT_EQ(params.Text(), "SDP=3");
}

TEST(CalcParams, SetValueReplacesAppendsAndEmptyRemoves) {
    TCalcParams params;
    params.SetValue(LineKey::kTotalType, "DE");
    params.SetValue(LineKey::kDecimalPlaces, "2");
    params.SetValue(LineKey::kTotalType, "T3");
    EXPECT_EQ(params.Text(), "TT=T3,SDP=2");
    params.SetValue(LineKey::kTotalType, "");
    params.SetValue(LineKey::kDecimalPlaces, "");
    EXPECT_TRUE(params.IsEmpty());
    EXPECT_EQ(params.Text(), "");
}

struct NumberCase {
    std::string text;
    std::optional<int> decimalPlaces;
    std::optional<int> columnNumber;
    friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }
};

class CalcParamsNumbers : public testing::TestWithParam<NumberCase> {};

TEST_P(CalcParamsNumbers, AcceptOnlyPlainIntegersInRange) {
    TCalcParams params;
    params.SetValue(LineKey::kDecimalPlaces, GetParam().text);
    params.SetValue(LineKey::kTableColumnNumber, GetParam().text);
    EXPECT_EQ(params.DecimalPlaces(), GetParam().decimalPlaces);
    EXPECT_EQ(params.TableColumnNumber(), GetParam().columnNumber);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CalcParamsNumbers,
    testing::Values(NumberCase{"0", 0, 0}, NumberCase{"15", 15, 15}, NumberCase{"007", 7, 7},
                    NumberCase{"16", std::nullopt, 16}, NumberCase{"2147483647", std::nullopt, 2147483647},
                    NumberCase{"2147483648", std::nullopt, std::nullopt},
                    NumberCase{"99999999999999999999", std::nullopt, std::nullopt},
                    NumberCase{"-1", std::nullopt, std::nullopt}, NumberCase{"+3", std::nullopt, std::nullopt},
                    NumberCase{"3x", std::nullopt, std::nullopt}, NumberCase{"2.0", std::nullopt, std::nullopt},
                    NumberCase{"", std::nullopt, std::nullopt}));

TEST(LineProperties, RemovingTheLastPropertyRemovesTheObject) {
    TLineStore lines;
    lines.InsertLines(0, 2);
    EXPECT_EQ(lines.Params(0), nullptr);
    EXPECT_EQ(lines.Property(0, LineKey::kTotalType), "");

    lines.SetProperty(0, LineKey::kTotalType, "DE");
    lines.SetProperty(0, LineKey::kDecimalPlaces, "3");
    ASSERT_NE(lines.Params(0), nullptr);
    EXPECT_EQ(lines.ParamsText(0), "TT=DE,SDP=3");

    lines.SetProperty(0, LineKey::kTotalType, "");
    EXPECT_NE(lines.Params(0), nullptr);
    lines.SetProperty(0, LineKey::kDecimalPlaces, "");
    EXPECT_EQ(lines.Params(0), nullptr);
    EXPECT_EQ(lines.ParamsText(0), "");
    EXPECT_EQ(lines.Params(1), nullptr);
}

TEST(LineProperties, TextWithoutPairsLeavesNoObjectAndOutOfRangeReadsEmpty) {
    TLineStore lines;
    lines.InsertLines(0, 1);
    lines.SetParamsText(0, "TT=DE");
    lines.SetParamsText(0, "  , junk");
    EXPECT_EQ(lines.Params(0), nullptr);
    lines.SetProperty(5, LineKey::kTotalType, "DE");
    EXPECT_EQ(lines.Property(5, LineKey::kTotalType), "");
    EXPECT_EQ(lines.Params(-1), nullptr);
}

}  // namespace
}  // namespace tally
