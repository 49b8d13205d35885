#include <gtest/gtest.h>

#include <memory>

#include "studio/core/clone_remap.h"
#include "studio/core/param_block.h"
#include "studio/core/undo_stack.h"
#include "test_objects.h"

namespace {

using studio::ParamBlock;
using studio::ParamValue;

enum { P_FLOAT, P_INT, P_COLOR, P_BOOL, P_FIXED };

const ParamBlockDescID kDesc[] = {
    {TYPE_FLOAT, nullptr, 1, 0}, {TYPE_INT, nullptr, 1, 1}, {TYPE_RGBA, nullptr, 1, 2},
    {TYPE_BOOL, nullptr, 0, 3},  {TYPE_FLOAT, nullptr, 0, 4},
};

class ParamBlocks : public ::testing::Test {
protected:
    void SetUp() override {
        block = new ParamBlock(kDesc, 5, 1);
        owner.ReplaceReference(0, block);
    }
    void TearDown() override {
        studio::SetAutoKey(false);
        studio::TheUndoStack().Clear();
    }
    float FloatAt(TimeValue t, Interval& valid) {
        float v = -1.0f;
        EXPECT_TRUE(block->GetValue(P_FLOAT, t, v, valid));
        return v;
    }
    void Keys(int param, std::initializer_list<std::pair<TimeValue, ParamValue>> keys) {
        for (const auto& [t, v] : keys)
            ASSERT_TRUE(block->SetKey(param, t, v));
    }

    test::Node owner{1};
    ParamBlock* block = nullptr;
};

TEST_F(ParamBlocks, DescribesItsParameters) {
    EXPECT_EQ(block->NumParams(), 5);
    EXPECT_EQ(block->GetParameterType(P_COLOR), TYPE_RGBA);
    EXPECT_EQ(block->GetParameterType(P_BOOL), TYPE_BOOL);
    EXPECT_EQ(block->GetParameterType(5), -1);
    EXPECT_TRUE(block->IsAnimatable(P_INT));
    EXPECT_FALSE(block->IsAnimatable(P_FIXED));
    EXPECT_EQ(block->Descriptor(P_FIXED).id, 4u);
    EXPECT_EQ(block->Version(), 1u);
}

TEST_F(ParamBlocks, ConstantValueHoldsForEveryTimeAndLeavesValidityAlone) {
    ASSERT_TRUE(block->SetValue(P_FLOAT, 30, 2.5f));
    for (TimeValue t : {INT32_MIN, -100, 0, 30, INT32_MAX}) {
        Interval valid(-7, 9);
        EXPECT_EQ(FloatAt(t, valid), 2.5f);
        EXPECT_EQ(valid, Interval(-7, 9));
    }
    EXPECT_EQ(block->NumKeys(P_FLOAT), 0);
}

TEST_F(ParamBlocks, AccessorsConvertBetweenNumbersButNotToColours) {
    Interval valid = WHOLE_INTERVAL;
    ASSERT_TRUE(block->SetValue(P_BOOL, 0, 1));
    int flag = 0;
    EXPECT_TRUE(block->GetValue(P_BOOL, 0, flag, valid));
    EXPECT_EQ(flag, 1);
    ASSERT_TRUE(block->SetValue(P_INT, 0, -2.75f));  // truncated toward zero
    int whole = 0;
    block->GetValue(P_INT, 0, whole, valid);
    EXPECT_EQ(whole, -2);
    float asFloat = 0.0f;
    EXPECT_TRUE(block->GetValue(P_INT, 0, asFloat, valid));
    EXPECT_EQ(asFloat, -2.0f);

    Color c(9, 9, 9);
    EXPECT_FALSE(block->GetValue(P_FLOAT, 0, c, valid));
    EXPECT_EQ(c, Color(9, 9, 9));
    EXPECT_FALSE(block->SetValue(P_FLOAT, 0, Color(1, 2, 3)));
    EXPECT_FALSE(block->SetValue(P_COLOR, 0, 1.0f));
    EXPECT_FALSE(block->SetValue(-1, 0, 1.0f));
    EXPECT_FALSE(block->SetValue(5, 0, 1.0f));
    EXPECT_FALSE(block->GetValue(5, 0, asFloat, valid));
}

struct AtTime {
    TimeValue t;
    float value;
    Interval valid;
};

TEST_F(ParamBlocks, KeysInterpolateAndNarrowValidity) {
    Keys(P_FLOAT, {{0, 0.0f}, {100, 10.0f}, {200, 10.0f}, {300, 4.0f}});
    const AtTime cases[] = {
        {-50, 0.0f, Interval(TIME_NegInfinity, 0)},   // before the first key
        {0, 0.0f, Interval(0, 0)},                    // at a key where it starts moving
        {50, 5.0f, Interval(50, 50)},                 // between different values
        {100, 10.0f, Interval(100, 200)},             // flat stretch from here
        {150, 10.0f, Interval(100, 200)},             // between equal values
        {250, 7.0f, Interval(250, 250)},
        {300, 4.0f, Interval(300, TIME_PosInfinity)}, // the last key
        {INT32_MAX, 4.0f, Interval(300, TIME_PosInfinity)},
    };
    for (const AtTime& c : cases) {
        Interval valid = WHOLE_INTERVAL;
        EXPECT_FLOAT_EQ(FloatAt(c.t, valid), c.value) << c.t;
        EXPECT_EQ(valid, c.valid) << c.t;
        EXPECT_TRUE(valid.InInterval(c.t)) << c.t;
    }
    // Narrowing intersects with what the caller brought.
    Interval valid(-10, 40);
    FloatAt(-50, valid);
    EXPECT_EQ(valid, Interval(-10, 0));
    valid = Interval(-100, -20);
    FloatAt(-50, valid);
    EXPECT_EQ(valid, Interval(-100, -20));
}

TEST_F(ParamBlocks, ColoursInterpolatePerChannelAndIntsRound) {
    Keys(P_COLOR, {{0, Color(0, 1, 0.5f)}, {10, Color(1, 0, 0.5f)}});
    Interval valid = WHOLE_INTERVAL;
    Color c;
    ASSERT_TRUE(block->GetValue(P_COLOR, 4, c, valid));
    EXPECT_FLOAT_EQ(c.r, 0.4f);
    EXPECT_FLOAT_EQ(c.g, 0.6f);
    EXPECT_FLOAT_EQ(c.b, 0.5f);
    EXPECT_EQ(valid, Interval(4, 4));

    Keys(P_INT, {{0, 0}, {10, 5}});
    int v = 0;
    block->GetValue(P_INT, 5, v, valid);
    EXPECT_EQ(v, 3);  // 2.5 rounds away from zero
    block->GetValue(P_INT, 2, v, valid);
    EXPECT_EQ(v, 1);
}

TEST_F(ParamBlocks, AutoKeyWritesOrReplacesAKeyAtTheTime) {
    studio::SetAutoKey(true);
    block->SetValue(P_FLOAT, 10, 1.0f);
    block->SetValue(P_FLOAT, 20, 3.0f);
    block->SetValue(P_FLOAT, 10, 2.0f);
    ASSERT_EQ(block->NumKeys(P_FLOAT), 2);
    EXPECT_EQ(block->Key(P_FLOAT, 0), (studio::ParamKey{10, 2.0f}));
    EXPECT_EQ(block->Key(P_FLOAT, 1), (studio::ParamKey{20, 3.0f}));

    // A parameter that cannot be animated takes the value everywhere.
    block->SetValue(P_FIXED, 10, 7.0f);
    EXPECT_EQ(block->NumKeys(P_FIXED), 0);
    EXPECT_EQ(block->Value(P_FIXED, -1000), ParamValue(7.0f));
    EXPECT_FALSE(block->SetKey(P_FIXED, 0, 1.0f));
    EXPECT_FALSE(block->SetKey(P_BOOL, 0, 1));
}

TEST_F(ParamBlocks, WithoutAutoKeyKeysMoveByTheSameDifference) {
    Keys(P_FLOAT, {{0, 0.0f}, {100, 10.0f}});
    block->SetValue(P_FLOAT, 50, 20.0f);  // was 5 at t=50
    ASSERT_EQ(block->NumKeys(P_FLOAT), 2);
    EXPECT_EQ(block->KeyValue(P_FLOAT, 0), ParamValue(15.0f));
    EXPECT_EQ(block->KeyValue(P_FLOAT, 1), ParamValue(25.0f));

    Keys(P_COLOR, {{0, Color(0, 0, 0)}, {10, Color(1, 1, 1)}});
    block->SetValue(P_COLOR, 0, Color(0.5f, 0.0f, -0.5f));
    EXPECT_EQ(block->KeyValue(P_COLOR, 1), ParamValue(Color(1.5f, 1.0f, 0.5f)));
}

TEST_F(ParamBlocks, DeletingTheLastKeyKeepsItsValue) {
    Keys(P_FLOAT, {{0, 1.0f}, {10, 2.0f}});
    EXPECT_TRUE(block->DeleteKey(P_FLOAT, 0));
    EXPECT_TRUE(block->DeleteKey(P_FLOAT, 0));
    EXPECT_FALSE(block->DeleteKey(P_FLOAT, 0));
    EXPECT_EQ(block->NumKeys(P_FLOAT), 0);
    EXPECT_EQ(block->Value(P_FLOAT, -5), ParamValue(2.0f));
}

TEST_F(ParamBlocks, EveryChangeTellsTheDependents) {
    block->SetValue(P_FLOAT, 0, 1.0f);
    block->SetKey(P_INT, 0, 4);
    block->DeleteKey(P_INT, 0);
    block->SetBaseValue(P_COLOR, Color(1, 0, 0));
    ASSERT_EQ(owner.heard.size(), 4u);
    for (const auto& heard : owner.heard) {
        EXPECT_EQ(heard.message, 80u);
        EXPECT_EQ(heard.sender, block);
    }
    block->SetValue(P_FLOAT, 0, Color());  // refused: no notice
    EXPECT_EQ(owner.heard.size(), 4u);
}

TEST_F(ParamBlocks, CloneCopiesValuesAndKeysIndependently) {
    Keys(P_FLOAT, {{0, 1.0f}, {10, 2.0f}});
    block->SetValue(P_BOOL, 0, 1);
    studio::CloneRemap remap;
    std::unique_ptr<ParamBlock> copy(static_cast<ParamBlock*>(remap.CloneTarget(block)));
    ASSERT_TRUE(copy);
    for (int i = 0; i < block->NumParams(); ++i)
        EXPECT_EQ(copy->Curve(i), block->Curve(i)) << i;
    copy->SetKey(P_FLOAT, 5, 9.0f);
    EXPECT_EQ(block->NumKeys(P_FLOAT), 2);
}

TEST(ParamDimensions, ColourChannelsShowAsBytes) {
    EXPECT_EQ(stdColor255Dim->Convert(1.0f), 255.0f);
    EXPECT_EQ(stdColor255Dim->UnConvert(51.0f), 0.2f);
    EXPECT_EQ(defaultDim->Convert(0.37f), 0.37f);
    EXPECT_EQ(defaultDim->UnConvert(-3.0f), -3.0f);
}

// A block that records the writes made to it, as texture tests do.
class RecordingBlock : public ParamBlock {
public:
    using ParamBlock::ParamBlock;
    using ParamBlock::SetValue;
    BOOL SetValue(int i, TimeValue t, float v) override {
        writes.push_back(i);
        return ParamBlock::SetValue(i, t, v);
    }
    std::vector<int> writes;
};

TEST(ParamBlockFactory, ReplacesAndRestoresTheDefaultBlock) {
    studio::SetParameterBlockFactory([](const ParamBlockDescID* d, int n, DWORD v) {
        return new RecordingBlock(d, n, v);
    });
    IParamBlock* made = CreateParameterBlock(kDesc, 5, 2);
    auto* recording = dynamic_cast<RecordingBlock*>(made);
    ASSERT_NE(recording, nullptr);
    made->SetValue(P_FIXED, 0, 1.0f);
    made->SetValue(P_FLOAT, 0, 2.0f);
    EXPECT_EQ(recording->writes, (std::vector<int>{P_FIXED, P_FLOAT}));
    made->DeleteThis();

    studio::SetParameterBlockFactory(nullptr);
    IParamBlock* plain = CreateParameterBlock(kDesc, 5, 2);
    EXPECT_EQ(dynamic_cast<RecordingBlock*>(plain), nullptr);
    EXPECT_EQ(plain->NumParams(), 5);
    plain->DeleteThis();
}

}  // namespace
