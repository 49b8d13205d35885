#include <gtest/gtest.h>

#include "studio/core/param_block.h"
#include "studio/core/undo_stack.h"
#include "test_objects.h"

namespace {

using studio::ParamBlock;
using studio::ParamValue;
using Names = std::vector<std::string>;

const ParamBlockDescID kDesc[] = {{TYPE_FLOAT, nullptr, 1, 0}, {TYPE_INT, nullptr, 1, 1}};

class Undo : public ::testing::Test {
protected:
    void SetUp() override {
        undo.Clear();
        block = new ParamBlock(kDesc, 2, 1);
        owner.ReplaceReference(0, block);
    }
    void TearDown() override {
        while (theHold.Holding())
            theHold.Cancel();
        studio::SetAutoKey(false);
        undo.Clear();
    }
    float A() { return std::get<float>(block->Value(0, 0)); }
    int B() { return std::get<int>(block->Value(1, 0)); }
    void Write(float a) { block->SetValue(0, 0, a); }
    void Step(const char* name, float a) {
        theHold.Begin();
        Write(a);
        theHold.Accept(name);
    }

    studio::UndoStack& undo = studio::TheUndoStack();
    test::Node owner{1};
    ParamBlock* block = nullptr;
};

TEST_F(Undo, TheHoldIsTheStudioUndoStack) {
    EXPECT_EQ(static_cast<Hold*>(&undo), &theHold);
    EXPECT_FALSE(theHold.Holding());
    theHold.Begin();
    EXPECT_TRUE(theHold.Holding());
    theHold.Accept("x");
    EXPECT_FALSE(theHold.Holding());
}

TEST_F(Undo, StepsUndoAndRedoInOrderWithTheirNames) {
    Step("one", 1.0f);
    Step("two", 2.0f);
    EXPECT_EQ(undo.UndoNames(), (Names{"two", "one"}));
    owner.heard.clear();

    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(A(), 1.0f);
    ASSERT_EQ(owner.heard.size(), 1u);  // told like the original write
    EXPECT_EQ(owner.heard[0].message, 80u);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(A(), 0.0f);
    EXPECT_FALSE(undo.Undo());
    EXPECT_EQ(undo.RedoNames(), (Names{"one", "two"}));

    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(A(), 1.0f);
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(A(), 2.0f);
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_EQ(owner.heard.size(), 4u);
}

TEST_F(Undo, NestedHoldsMakeOneStepNamedByTheOutermost) {
    theHold.Begin();
    Write(1.0f);
    theHold.Begin();
    block->SetValue(1, 0, 5);
    theHold.Accept("inner");
    EXPECT_TRUE(theHold.Holding());
    theHold.Accept("outer");
    EXPECT_EQ(undo.UndoNames(), (Names{"outer"}));
    undo.Undo();
    EXPECT_EQ(A(), 0.0f);
    EXPECT_EQ(B(), 0);
    undo.Redo();
    EXPECT_EQ(A(), 1.0f);
    EXPECT_EQ(B(), 5);
}

TEST_F(Undo, CancelUndoesOnlyWhatItsHoldRecordedInReverse) {
    theHold.Begin();
    Write(1.0f);
    theHold.Begin();
    Write(2.0f);
    Write(3.0f);
    block->SetValue(1, 0, 7);
    theHold.Cancel();
    EXPECT_EQ(A(), 1.0f);
    EXPECT_EQ(B(), 0);
    theHold.Accept("kept");
    undo.Undo();
    EXPECT_EQ(A(), 0.0f);

    theHold.Begin();
    Write(4.0f);
    Write(5.0f);
    theHold.Cancel();
    EXPECT_EQ(A(), 0.0f);
    EXPECT_EQ(undo.UndoNames(), Names{});
}

TEST_F(Undo, EmptyAcceptPushesNothingAndANewStepClearsRedo) {
    Step("one", 1.0f);
    undo.Undo();
    theHold.Begin();
    theHold.Accept("nothing");
    EXPECT_EQ(undo.UndoNames(), Names{});
    EXPECT_EQ(undo.RedoNames(), (Names{"one"}));
    Step("two", 2.0f);
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_EQ(undo.UndoNames(), (Names{"two"}));
}

TEST_F(Undo, NoUndoWhileAHoldIsOpen) {
    Step("one", 1.0f);
    theHold.Begin();
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_FALSE(undo.Undo());
    theHold.Cancel();
    EXPECT_TRUE(undo.Undo());
}

// A record that writes through the public API when restored, and reports
// its own destruction.
class ProbeRecord : public RestoreObj {
public:
    ProbeRecord(ParamBlock* b, bool* gone, int* seenHolding) : block(b), deleted(gone), holding(seenHolding) {}
    ~ProbeRecord() override { *deleted = true; }
    void Restore() override {
        *holding = theHold.Holding();
        block->SetValue(1, 0, 42);
    }
    void Redo() override {}
    ParamBlock* block;
    bool* deleted;
    int* holding;
};

TEST_F(Undo, RestoringRecordsNothingAndPutOutsideAHoldDiscards) {
    bool gone = false;
    int holding = -1;
    theHold.Begin();
    theHold.Put(new ProbeRecord(block, &gone, &holding));
    theHold.Accept("probe");
    undo.Undo();
    EXPECT_EQ(holding, 0);
    EXPECT_EQ(B(), 42);
    undo.Redo();
    EXPECT_EQ(undo.UndoNames(), (Names{"probe"}));  // the write inside made no step
    undo.Clear();
    EXPECT_TRUE(gone);

    bool stray = false;
    theHold.Put(new ProbeRecord(block, &stray, &holding));
    EXPECT_TRUE(stray);
}

TEST_F(Undo, KeyWritesUndoExactly) {
    studio::SetAutoKey(true);
    block->SetValue(0, 0, 1.0f);
    theHold.Begin();
    block->SetValue(0, 10, 2.0f);
    block->SetValue(0, 0, 3.0f);
    theHold.Accept("keys");
    const studio::ParamCurve after = block->Curve(0);
    undo.Undo();
    ASSERT_EQ(block->NumKeys(0), 1);
    EXPECT_EQ(block->Key(0, 0), (studio::ParamKey{0, 1.0f}));
    undo.Redo();
    EXPECT_EQ(block->Curve(0), after);
}

TEST_F(Undo, ReplacedBlockComesBackWithItsValues) {
    int destroyed = 0;
    struct CountedBlock : ParamBlock {
        CountedBlock(int* counter) : ParamBlock(kDesc, 2, 1), count(counter) {}
        ~CountedBlock() override { ++*count; }
        int* count;
    };
    auto* first = new CountedBlock(&destroyed);
    owner.ReplaceReference(0, first);  // the fixture's block goes
    first->SetValue(0, 0, 1.0f);

    theHold.Begin();
    auto* second = new CountedBlock(&destroyed);
    owner.ReplaceReference(0, second);
    second->SetValue(0, 0, 9.0f);
    theHold.Accept("Reset");

    undo.Undo();
    EXPECT_EQ(owner.GetReference(0), first);
    EXPECT_EQ(std::get<float>(first->Value(0, 0)), 1.0f);
    EXPECT_EQ(std::get<float>(second->Value(0, 0)), 0.0f);  // its write undone too
    undo.Redo();
    EXPECT_EQ(owner.GetReference(0), second);
    EXPECT_EQ(std::get<float>(second->Value(0, 0)), 9.0f);
    EXPECT_EQ(destroyed, 0);
    undo.Clear();
    EXPECT_EQ(destroyed, 1);  // `first`, orphaned, went with the history
    owner.ReplaceReference(0, nullptr);
    EXPECT_EQ(destroyed, 2);
}

TEST_F(Undo, HistoryOfADeletedBlockIsDropped) {
    Step("one", 1.0f);
    Step("two", 2.0f);
    undo.Undo();
    owner.ReplaceReference(0, nullptr);  // outside a hold: the block is deleted
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_FALSE(undo.CanRedo());
}

}  // namespace
