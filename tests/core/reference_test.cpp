#include <gtest/gtest.h>

#include <algorithm>

#include "studio/core/clone_remap.h"
#include "studio/core/undo_stack.h"
#include "test_objects.h"

namespace {

using test::Node;

bool IsDependent(const ReferenceTarget& target, const ReferenceMaker* maker) {
    const auto& deps = target.Dependents();
    return std::find(deps.begin(), deps.end(), maker) != deps.end();
}

class References : public ::testing::Test {
protected:
    void TearDown() override { studio::TheUndoStack().Clear(); }
    int destroyed = 0;
};

TEST_F(References, ReplaceSetsTheReferenceAndRegistersTheMaker) {
    Node maker;
    auto* target = new Node(0, &destroyed);
    EXPECT_EQ(maker.ReplaceReference(1, target), REF_SUCCEED);
    EXPECT_EQ(maker.GetReference(1), target);
    EXPECT_EQ(maker.setReferenceCalls, 1);
    EXPECT_TRUE(IsDependent(*target, &maker));
    EXPECT_EQ(target->Dependents().size(), 1u);
}

TEST_F(References, DroppedOrphanIsDeletedUnlessAskedToKeepIt) {
    Node maker;
    auto* first = new Node(0, &destroyed);
    auto* second = new Node(0, &destroyed);
    maker.ReplaceReference(0, first);
    maker.ReplaceReference(0, second);
    EXPECT_EQ(destroyed, 1);  // `first` lost its only dependent
    EXPECT_EQ(maker.GetReference(0), second);

    maker.ReplaceReference(0, nullptr, 0);
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(second->Dependents().empty());
    delete second;
}

TEST_F(References, SharedTargetSurvivesUntilTheLastMakerDropsIt) {
    Node a, b;
    auto* shared = new Node(0, &destroyed);
    a.ReplaceReference(0, shared);
    b.ReplaceReference(1, shared);
    a.DeleteReference(0);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(a.GetReference(0), nullptr);
    EXPECT_FALSE(IsDependent(*shared, &a));
    b.DeleteReference(1);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(b.GetReference(1), nullptr);
}

TEST_F(References, TargetHeldTwiceByOneMakerIsOneDependent) {
    Node maker;
    auto* target = new Node(0, &destroyed);
    maker.ReplaceReference(0, target);
    maker.ReplaceReference(1, target);
    EXPECT_EQ(target->Dependents().size(), 1u);
    maker.DeleteReference(0);
    EXPECT_EQ(destroyed, 0);
    EXPECT_TRUE(IsDependent(*target, &maker));
    maker.DeleteReference(1);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(References, ReplacingWithTheSameTargetChangesNothing) {
    Node maker;
    auto* target = new Node(0, &destroyed);
    maker.ReplaceReference(0, target);
    maker.ReplaceReference(0, target);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(target->Dependents().size(), 1u);
}

TEST_F(References, DeletingATargetClearsEveryReferenceToIt) {
    Node a(3), b;
    auto* target = new Node(0, &destroyed);
    a.ReplaceReference(0, target);
    a.ReplaceReference(2, target);
    b.ReplaceReference(1, target);
    const int callsBefore = a.setReferenceCalls;
    target->DeleteThis();
    EXPECT_EQ(a.GetReference(0), nullptr);
    EXPECT_EQ(a.GetReference(2), nullptr);
    EXPECT_EQ(b.GetReference(1), nullptr);
    EXPECT_EQ(a.setReferenceCalls, callsBefore + 2);
    // The cleared references are really gone from the bookkeeping: a new
    // target at the same index is not confused with the deleted one.
    auto* next = new Node(0, &destroyed);
    a.ReplaceReference(0, next);
    EXPECT_EQ(next->Dependents().size(), 1u);
}

TEST_F(References, DeletingAMakerDropsItsReferencesAndOrphans) {
    auto* keeper = new Node(1);
    auto* shared = new Node(0, &destroyed);
    auto* own = new Node(0, &destroyed);
    auto* maker = new Node(2);
    maker->ReplaceReference(0, shared);
    maker->ReplaceReference(1, own);
    keeper->ReplaceReference(0, shared);
    maker->DeleteThis();
    EXPECT_EQ(destroyed, 1);  // `own` went with its maker; `shared` stays
    EXPECT_EQ(shared->Dependents().size(), 1u);
    EXPECT_TRUE(IsDependent(*shared, keeper));
    keeper->DeleteThis();
    EXPECT_EQ(destroyed, 2);
}

// The maker's destructor drops a target held in two slots once; run under
// AddressSanitizer, a second drop would read the deleted target.
TEST_F(References, DeletingAMakerThatHoldsATargetTwiceDeletesItOnce) {
    auto* maker = new Node(3);
    auto* target = new Node(0, &destroyed);
    maker->ReplaceReference(0, target);
    maker->ReplaceReference(2, target);
    maker->DeleteThis();
    EXPECT_EQ(destroyed, 1);
}

TEST_F(References, DeleteAllRefsFromMeDropsEverything) {
    Node maker(3);
    maker.ReplaceReference(0, new Node(0, &destroyed));
    maker.ReplaceReference(2, new Node(0, &destroyed));
    maker.DeleteAllRefsFromMe();
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(maker.GetReference(0), nullptr);
    EXPECT_EQ(maker.GetReference(2), nullptr);
}

// ---- messages ----

// chain: bottom <- middle <- top (each holds the one below as reference 0)
struct Chain {
    Node top{1}, middle{1}, side{1};
    Node* bottom = new Node(0);
    Chain() {
        top.ReplaceReference(0, &middle);
        middle.ReplaceReference(0, bottom);
        side.ReplaceReference(0, bottom);
    }
    ~Chain() {
        side.DeleteReference(0);
        middle.DeleteReference(0);
        top.ReplaceReference(0, nullptr, 0);
    }
};

TEST_F(References, MessageTravelsUpWhileDependentsAnswerSucceed) {
    Chain c;
    c.bottom->NotifyDependents(WHOLE_INTERVAL, 0x9ff, 80);
    ASSERT_EQ(c.middle.heard.size(), 1u);
    EXPECT_EQ(c.middle.heard[0].sender, c.bottom);
    EXPECT_EQ(c.middle.heard[0].message, 80u);
    ASSERT_EQ(c.side.heard.size(), 1u);
    ASSERT_EQ(c.top.heard.size(), 1u);
    EXPECT_EQ(c.top.heard[0].sender, &c.middle);
}

TEST_F(References, StopAnswerAndNoPropagationKeepItBelow) {
    {
        Chain c;
        c.middle.answer = REF_STOP;
        c.bottom->NotifyDependents(WHOLE_INTERVAL, 0x9ff, 80);
        EXPECT_EQ(c.middle.heard.size(), 1u);
        EXPECT_EQ(c.side.heard.size(), 1u);
        EXPECT_TRUE(c.top.heard.empty());
    }
    {
        Chain c;
        c.bottom->NotifyDependents(WHOLE_INTERVAL, 0x9ff, 80, 0xfffffff0, 0);
        EXPECT_EQ(c.middle.heard.size(), 1u);
        EXPECT_TRUE(c.top.heard.empty());
    }
}

TEST_F(References, ExplicitSenderIsPassedOn) {
    Chain c;
    Node other(0);
    c.bottom->NotifyDependents(WHOLE_INTERVAL, 0x9ff, 81, 0xfffffff0, 1, &other);
    ASSERT_EQ(c.middle.heard.size(), 1u);
    EXPECT_EQ(c.middle.heard[0].sender, &other);
    EXPECT_EQ(c.middle.heard[0].message, 81u);
}

TEST_F(References, SuperClassFilterSkipsOtherFamilies) {
    Chain c;
    c.bottom->NotifyDependents(WHOLE_INTERVAL, 0x9ff, 80, TEXMAP_CLASS_ID);
    EXPECT_TRUE(c.middle.heard.empty());  // a Node's super class is 0
}

TEST_F(References, LoopsAreRefusedAndDiamondsForwardOnce) {
    {
        Node root(1);
        auto* a = new Node(1, &destroyed);
        auto* b = new Node(1, &destroyed);
        root.ReplaceReference(0, a);
        a->ReplaceReference(0, b);
        EXPECT_EQ(b->ReplaceReference(0, a), 0);      // b -> a -> b
        EXPECT_EQ(b->ReplaceReference(0, &root), 0);  // b -> root -> a -> b
        EXPECT_EQ(a->ReplaceReference(0, a), 0);      // onto itself
        EXPECT_EQ(b->GetReference(0), nullptr);
        EXPECT_EQ(a->GetReference(0), b);
        EXPECT_EQ(b->setReferenceCalls, 0);
    }
    EXPECT_EQ(destroyed, 2);

    // diamond: left and right hold base; top holds left and right
    Node above(1);
    auto* top = new Node(2);
    auto* left = new Node(1);
    auto* right = new Node(1);
    auto* base = new Node(0);
    left->ReplaceReference(0, base);
    right->ReplaceReference(0, base);
    top->ReplaceReference(0, left);
    top->ReplaceReference(1, right);
    above.ReplaceReference(0, top);
    base->NotifyDependents(WHOLE_INTERVAL, 0x9ff, 80);
    EXPECT_EQ(top->heard.size(), 2u);  // once from each side
    EXPECT_EQ(above.heard.size(), 1u);
}

// A dependent that deletes a fellow dependent while handling a message.
class Dropper : public Node {
public:
    using Node::Node;
    RefResult OnReferenceMessage(Interval i, RefTargetHandle s, PartID& p,
                                 RefMessage m) override {
        if (victim) {
            victim->DeleteThis();
            victim = nullptr;
        }
        return Node::OnReferenceMessage(i, s, p, m);
    }
    Node* victim = nullptr;
};

TEST_F(References, DependentsRemovedDuringAMessageAreSkipped) {
    Node target(0);
    Dropper first(1);
    auto* second = new Node(1, &destroyed);
    first.ReplaceReference(0, &target, 0);
    second->ReplaceReference(0, &target, 0);
    first.victim = second;
    target.NotifyDependents(WHOLE_INTERVAL, 0x9ff, 80);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(first.heard.size(), 1u);
    first.ReplaceReference(0, nullptr, 0);
    EXPECT_TRUE(target.Dependents().empty());
}

// ---- cloning ----

TEST_F(References, CloneRemapClonesSharedTargetsOnce) {
    Node root(2);
    auto* shared = new Node(0);
    auto* left = new Node(1);
    auto* right = new Node(1);
    left->ReplaceReference(0, shared);
    right->ReplaceReference(0, shared);
    root.ReplaceReference(0, left);
    root.ReplaceReference(1, right);

    studio::CloneRemap remap;
    auto* copy = static_cast<Node*>(remap.CloneTarget(&root));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(shared->cloneCalls, 1);
    auto* copyLeft = static_cast<Node*>(copy->GetReference(0));
    auto* copyRight = static_cast<Node*>(copy->GetReference(1));
    ASSERT_NE(copyLeft, left);
    ASSERT_NE(copyRight, right);
    EXPECT_EQ(copyLeft->GetReference(0), copyRight->GetReference(0));
    EXPECT_NE(copyLeft->GetReference(0), shared);
    EXPECT_EQ(remap.CloneTarget(&root), copy);
    EXPECT_EQ(remap.CloneTarget(nullptr), nullptr);
    copy->DeleteThis();
}

// ---- undo of reference changes ----

TEST_F(References, UndoAndRedoOfReplaceRestoreTheTargetsExactly) {
    studio::UndoStack& undo = studio::TheUndoStack();
    Node maker(1);
    auto* first = new Node(0, &destroyed);
    auto* second = new Node(0, &destroyed);
    maker.ReplaceReference(0, first);

    theHold.Begin();
    maker.ReplaceReference(0, second);
    theHold.Accept("Assign");
    EXPECT_EQ(destroyed, 0);  // the undo step keeps `first` alive
    EXPECT_TRUE(first->Dependents().empty());

    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(maker.GetReference(0), first);
    EXPECT_TRUE(IsDependent(*first, &maker));
    EXPECT_TRUE(second->Dependents().empty());
    ASSERT_FALSE(maker.heard.empty());
    EXPECT_EQ(maker.heard.back().message, 80u);
    EXPECT_EQ(maker.heard.back().sender, first);

    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(maker.GetReference(0), second);
    EXPECT_TRUE(IsDependent(*second, &maker));
    EXPECT_TRUE(first->Dependents().empty());

    undo.Clear();  // the step goes and takes the orphan with it
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(maker.GetReference(0), second);
}

TEST_F(References, CancelledAssignmentOfANewTargetDeletesIt) {
    Node maker(1);
    auto* kept = new Node(0, &destroyed);
    maker.ReplaceReference(0, kept);
    theHold.Begin();
    maker.ReplaceReference(0, new Node(0, &destroyed));
    theHold.Cancel();
    EXPECT_EQ(maker.GetReference(0), kept);
    EXPECT_TRUE(IsDependent(*kept, &maker));
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(studio::TheUndoStack().CanUndo());
}

TEST_F(References, DeletingAMakerDropsTheHistoryThatNamesIt) {
    studio::UndoStack& undo = studio::TheUndoStack();
    auto* maker = new Node(1);
    theHold.Begin();
    maker->ReplaceReference(0, new Node(0, &destroyed));
    theHold.Accept("Assign");
    ASSERT_TRUE(undo.CanUndo());
    maker->DeleteThis();
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(undo.CanUndo());  // nothing left that could touch the dead maker
}

}  // namespace
