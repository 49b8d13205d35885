#include "studio/core/undo_stack.h"

#include <algorithm>
#include <iterator>

namespace studio {

UndoStack& TheUndoStack() {
    // Never destroyed: host objects that outlive static destruction still
    // report to it.
    static UndoStack* const stack = new UndoStack;
    return *stack;
}

TrackedRestore::TrackedRestore(std::vector<const Animatable*> objects)
    : mentioned(std::move(objects)) {
    TheUndoStack().Track(this);
}

TrackedRestore::~TrackedRestore() { TheUndoStack().Untrack(this); }

void TrackedRestore::Restore() {
    if (!broken)
        DoRestore();
}

void TrackedRestore::Redo() {
    if (!broken)
        DoRedo();
}

UndoStack::~UndoStack() = default;

void UndoStack::Begin() { marks.push_back(open.size()); }

void UndoStack::Accept(const char* name) {
    if (marks.empty())
        return;
    marks.pop_back();
    if (!marks.empty() || open.empty())
        return;
    undoSteps.push_back(Step{name ? name : "", std::move(open)});
    open.clear();
    Records discarded;
    for (Step& step : redoSteps)
        std::move(step.records.begin(), step.records.end(), std::back_inserter(discarded));
    redoSteps.clear();
    discarded.clear();
    DropBrokenSteps();
}

void UndoStack::Cancel() {
    if (marks.empty())
        return;
    const std::size_t begin = marks.back();
    marks.pop_back();
    Records cancelled(std::make_move_iterator(open.begin() + std::ptrdiff_t(begin)),
                      std::make_move_iterator(open.end()));
    open.resize(begin);
    restoring = true;
    for (auto it = cancelled.rbegin(); it != cancelled.rend(); ++it)
        (*it)->Restore();
    restoring = false;
    cancelled.clear();
    DropBrokenSteps();
}

int UndoStack::Holding() { return !marks.empty() && !restoring; }

void UndoStack::Put(RestoreObj* record) {
    std::unique_ptr<RestoreObj> owned(record);
    if (Holding())
        open.push_back(std::move(owned));
}

bool UndoStack::Undo() {
    if (!CanUndo())
        return false;
    Step step = std::move(undoSteps.back());
    undoSteps.pop_back();
    restoring = true;
    for (auto it = step.records.rbegin(); it != step.records.rend(); ++it)
        (*it)->Restore();
    restoring = false;
    redoSteps.push_back(std::move(step));
    DropBrokenSteps();
    return true;
}

bool UndoStack::Redo() {
    if (!CanRedo())
        return false;
    Step step = std::move(redoSteps.back());
    redoSteps.pop_back();
    restoring = true;
    for (auto& record : step.records)
        record->Redo();
    restoring = false;
    undoSteps.push_back(std::move(step));
    DropBrokenSteps();
    return true;
}

static std::vector<std::string> NamesNewestFirst(const auto& steps) {
    std::vector<std::string> names;
    for (auto it = steps.rbegin(); it != steps.rend(); ++it)
        names.push_back(it->name);
    return names;
}

std::vector<std::string> UndoStack::UndoNames() const { return NamesNewestFirst(undoSteps); }
std::vector<std::string> UndoStack::RedoNames() const { return NamesNewestFirst(redoSteps); }

void UndoStack::Clear() {
    // Move everything out first: destroying records may delete objects,
    // which reports back here.
    std::vector<Step> gone = std::move(undoSteps);
    std::move(redoSteps.begin(), redoSteps.end(), std::back_inserter(gone));
    undoSteps.clear();
    redoSteps.clear();
    gone.clear();
    DropBrokenSteps();
}

void UndoStack::Track(TrackedRestore* record) {
    for (const Animatable* object : record->mentioned)
        if (object)
            tracked.emplace(object, record);
}

void UndoStack::Untrack(TrackedRestore* record) {
    for (const Animatable* object : record->mentioned) {
        auto [first, last] = tracked.equal_range(object);
        for (auto it = first; it != last;) {
            if (it->second == record)
                it = tracked.erase(it);
            else
                ++it;
        }
    }
}

std::size_t UndoStack::MentionCount(const Animatable* object) const {
    return tracked.count(object);
}

void UndoStack::ObjectDestroyed(const Animatable* object) {
    auto [first, last] = tracked.equal_range(object);
    if (first == last)
        return;
    std::vector<TrackedRestore*> records;
    for (auto it = first; it != last; ++it)
        records.push_back(it->second);
    tracked.erase(object);
    for (TrackedRestore* record : records) {
        record->broken = true;
        std::erase(record->mentioned, object);
        record->Forget(object);
    }
    DropBrokenSteps();
}

bool UndoStack::HasBroken(const Step& step) {
    return std::any_of(step.records.begin(), step.records.end(), [](const auto& entry) {
        const auto* restore = dynamic_cast<const TrackedRestore*>(entry.get());
        return restore && restore->Broken();
    });
}

// A step that cannot be applied any more ends the history in its direction:
// it goes, together with every step beyond it (older ones on the undo stack,
// later ones on the redo stack). Both stacks keep that far end at the front.
void UndoStack::DropBrokenSteps() {
    if (dropping)
        return;
    dropping = true;
    for (;;) {
        std::vector<Step> gone;
        for (std::vector<Step>* steps : {&undoSteps, &redoSteps}) {
            auto lastBroken = std::find_if(steps->rbegin(), steps->rend(), HasBroken);
            if (lastBroken == steps->rend())
                continue;
            auto end = lastBroken.base();
            std::move(steps->begin(), end, std::back_inserter(gone));
            steps->erase(steps->begin(), end);
        }
        if (gone.empty())
            break;
        gone.clear();  // may destroy objects and break further steps
    }
    dropping = false;
}

}  // namespace studio

HOST_API Hold& theHold = studio::TheUndoStack();
