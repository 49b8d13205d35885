// Reading a scene: the whole file is checked and every object created and
// loaded before any reference is set; only a complete graph is handed out.

#include <algorithm>
#include <cstring>
#include <deque>

#include "studio/core/stream_values.h"
#include "studio/scene/checked_load.h"
#include "studio/scene/load_report.h"
#include "studio/scene/param_block_io.h"
#include "studio/scene/scene.h"
#include "studio/scene/scene_format.h"

namespace {

/// Holds every object created during a load, so that none is deleted while
/// references are being set; letting go deletes what nobody else holds.
class ObjectKeeper final : public ReferenceMaker {
public:
    void Keep(RefTargetHandle target) {
        slots.push_back(nullptr);
        ReplaceReference(int(slots.size()) - 1, target);
    }
    int NumRefs() override { return int(slots.size()); }
    RefTargetHandle GetReference(int i) override { return slots[std::size_t(i)]; }
    void SetReference(int i, RefTargetHandle target) override { slots[std::size_t(i)] = target; }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override {
        return REF_SUCCEED;
    }

private:
    std::vector<RefTargetHandle> slots;
};

struct ObjectRecord {
    std::size_t offset = 0;
    bool hasClass = false, hasRefs = false, hasData = false;
    SClass_ID superClass = 0;
    Class_ID classId;
    std::string className;
    std::vector<std::int32_t> refs;
    ReferenceTarget* object = nullptr;       // a created object
    std::unique_ptr<UnknownObject> unknown;  // or what is kept of an unknown one
};

}  // namespace

class SceneReader {
public:
    SceneReader(studio::Bytes data, std::string fileName, const ClassRegistry& registry)
        : in(std::move(data)), name(std::move(fileName)), classes(registry) {}

    SceneLoadResult Read() {
        LoadWarningCollector collector;
        const bool ok = ReadHeader() && ReadChunks() && CheckIndices() && CheckLoops() && Build();
        SceneLoadResult result;
        result.warnings = warnings;
        result.warnings.insert(result.warnings.end(), collector.Warnings().begin(), collector.Warnings().end());
        if (ok) {
            result.scene = std::move(scene);
        } else {
            result.error = error;
            result.warnings.clear();
        }
        // Whatever the result, the keeper's hold ends: on success the scene
        // holds the graph, on failure everything created is deleted.
        records.clear();
        scene.reset();
        return result;
    }

private:
    bool Fail(const std::string& what) {
        if (error.empty()) error = name + ": " + what;
        return false;
    }
    bool FailDamaged() { return Fail(in.Damaged() ? in.Damage() : "the file is damaged"); }
    std::string Describe(std::size_t i) const {
        const ObjectRecord& r = records[i];
        std::string text = "object " + std::to_string(i);
        if (!r.className.empty()) text += " (" + r.className + ")";
        return text + " at byte " + std::to_string(r.offset);
    }

    bool ReadHeader() {
        constexpr std::size_t headerSize = sizeof SCENE_MAGIC + 4;
        if (in.Remaining() < headerSize)
            return Fail("too short to be a Tintora scene file (" + std::to_string(in.Remaining()) + " bytes)");
        char magic[sizeof SCENE_MAGIC];
        std::uint32_t version = 0;
        in.Read(magic, sizeof magic);
        if (std::memcmp(magic, SCENE_MAGIC, sizeof magic) != 0)
            return Fail("not a Tintora scene file (it does not begin with \"TNTSCENE\")");
        studio::ReadU32(in, version);
        if (version > SCENE_FORMAT_VERSION)
            return Fail("scene format version " + std::to_string(version) +
                        " is newer than this program reads (up to version " +
                        std::to_string(SCENE_FORMAT_VERSION) + "); open it with a newer Tintora");
        if (version == 0) return Fail("unknown scene format version 0");
        return true;
    }

    bool ReadChunks() {
        for (;;) {
            const IOResult entered = in.EnterChunk();
            if (entered == IO_END) break;
            if (entered != IO_OK) return FailDamaged();
            bool ok = true;
            switch (in.ChunkId()) {
            case SCENE_OBJECT_CHUNK: ok = ReadObject(); break;
            case SCENE_ROOTS_CHUNK: ok = ReadIndices(rootIndices, "the list of roots"); break;
            case SCENE_END_CHUNK: ok = ReadEnd(); break;
            default: break;  // unknown: skipped
            }
            if (!ok) return false;
            in.LeaveChunk();
        }
        if (!sawEnd) return Fail("the file ends before its end marker (it is truncated)");
        return true;
    }

    bool ReadEnd() {
        std::uint32_t count = 0;
        if (studio::ReadU32(in, count) != IO_OK) return FailDamaged();
        if (count != records.size())
            return Fail("the end marker counts " + std::to_string(count) + " objects, but the file holds " +
                        std::to_string(records.size()));
        sawEnd = true;
        return true;
    }

    bool ReadIndices(std::vector<std::int32_t>& indices, const std::string& what) {
        std::uint32_t count = 0;
        if (studio::ReadU32(in, count) != IO_OK) return FailDamaged();
        if (count > SCENE_MAX_COUNT || std::size_t(count) * 4 > in.Remaining())
            return Fail(in.DescribeOpenChunk() + ": " + what + " claims " + std::to_string(count) +
                        " entries, more than the chunk holds");
        indices.assign(count, -1);
        for (std::int32_t& index : indices)
            if (studio::ReadI32(in, index) != IO_OK) return FailDamaged();
        return true;
    }

    bool ReadObject() {
        records.emplace_back();
        ObjectRecord& record = records.back();
        record.offset = in.OpenChunkOffset();
        for (;;) {
            const IOResult entered = in.EnterChunk();
            if (entered == IO_END) break;
            if (entered != IO_OK) return FailDamaged();
            bool ok = true;
            switch (in.ChunkId()) {
            case OBJECT_CLASS_CHUNK: ok = ReadClass(record); break;
            case OBJECT_REFS_CHUNK:
                ok = ReadIndices(record.refs, Describe(records.size() - 1) + ": the reference list");
                record.hasRefs = true;
                break;
            case OBJECT_DATA_CHUNK: ok = ReadData(records.size() - 1); break;
            default: break;
            }
            if (!ok) return false;
            in.LeaveChunk();
        }
        if (!record.hasClass) return Fail(Describe(records.size() - 1) + " has no class");
        if (!record.hasData) return Fail(Describe(records.size() - 1) + " has no data");
        return true;
    }

    bool ReadClass(ObjectRecord& record) {
        std::uint32_t a = 0, b = 0;
        CStr className;
        if (studio::ReadU32(in, record.superClass) != IO_OK || studio::ReadU32(in, a) != IO_OK ||
            studio::ReadU32(in, b) != IO_OK || in.ReadString(className) != IO_OK)
            return FailDamaged();
        record.classId = Class_ID(a, b);
        record.className = className.str();
        record.hasClass = true;
        return true;
    }

    bool ReadData(std::size_t i) {
        ObjectRecord& record = records[i];
        if (!record.hasClass) return Fail(Describe(i) + ": its data comes before its class");
        if (record.hasData) return Fail(Describe(i) + " has its data twice");
        record.hasData = true;
        if (record.superClass == PARAM_BLOCK_SCLASS_ID && record.classId == PARAM_BLOCK_CLASS_ID) {
            std::string why;
            IParamBlock* block = LoadParamBlock(in, why);
            if (!block) return Fail(Describe(i) + ": " + (in.Damaged() ? in.Damage() : why));
            Created(record, block);
            return true;
        }
        ClassDesc* desc = classes.Find(record.superClass, record.classId);
        if (!desc) return KeepUnknown(i);
        ReferenceTarget* object = desc->CreateTexture(1);
        if (!object) return Fail(Describe(i) + ": its class could not create an object");
        Created(record, object);
        const std::size_t depth = in.Depth();
        const IOResult loaded = object->Load(&in);
        in.UnwindTo(depth);
        if (in.Damaged()) return Fail(Describe(i) + ": " + in.Damage());
        if (loaded != IO_OK)
            return Fail(Describe(i) + " could not be loaded (its Load answered " + std::to_string(loaded) + ")");
        return true;
    }

    void Created(ObjectRecord& record, ReferenceTarget* object) {
        record.object = object;
        if (!keeper) keeper = std::make_unique<ObjectKeeper>();
        keeper->Keep(object);
    }

    bool KeepUnknown(std::size_t i) {
        ObjectRecord& record = records[i];
        studio::Bytes data(in.Remaining());
        if (!data.empty() && in.Read(data.data(), data.size()) != IO_OK) return FailDamaged();
        record.unknown = std::make_unique<UnknownObject>(record.superClass, record.classId, record.className,
                                                         std::move(data));
        warnings.push_back(name + ": " + Describe(i) + " is of class " + record.unknown->Describe() +
                          ", which no loaded module provides; it is kept as it was and references to it are empty");
        return true;
    }

    bool CheckIndices() {
        const auto inRange = [this](std::int32_t index) {
            return index >= -1 && index < std::int32_t(records.size());
        };
        for (std::size_t i = 0; i < records.size(); ++i)
            for (std::int32_t index : records[i].refs)
                if (!inRange(index))
                    return Fail(Describe(i) + " refers to object " + std::to_string(index) +
                                ", which the file does not hold");
        for (std::int32_t index : rootIndices)
            if (!inRange(index))
                return Fail("a root refers to object " + std::to_string(index) + ", which the file does not hold");
        return true;
    }

    // References must not lead back to where they started: peel off objects
    // that refer to nothing left, until nothing or only loops remain. Chains
    // of references must also stay within SCENE_MAX_DEPTH.
    bool CheckLoops() {
        std::vector<std::vector<std::size_t>> referrers(records.size());
        std::vector<std::size_t> pending(records.size(), 0);
        for (std::size_t i = 0; i < records.size(); ++i)
            for (std::int32_t index : records[i].refs)
                if (index >= 0) {
                    referrers[std::size_t(index)].push_back(i);
                    ++pending[i];
                }
        std::deque<std::size_t> ready;
        for (std::size_t i = 0; i < records.size(); ++i)
            if (pending[i] == 0) ready.push_back(i);
        // Depth is counted on the way: evaluating, saving and deleting a
        // graph all recurse along its references.
        std::vector<std::uint32_t> depth(records.size(), 1);
        std::size_t done = 0;
        for (; !ready.empty(); ++done) {
            const std::size_t i = ready.front();
            ready.pop_front();
            if (depth[i] > SCENE_MAX_DEPTH)
                return Fail(Describe(i) + " lies deeper than " + std::to_string(SCENE_MAX_DEPTH) +
                            " levels of references");
            for (std::size_t referrer : referrers[i]) {
                depth[referrer] = std::max(depth[referrer], depth[i] + 1);
                if (--pending[referrer] == 0) ready.push_back(referrer);
            }
        }
        if (done == records.size()) return true;
        for (std::size_t i = 0; i < records.size(); ++i)
            if (pending[i] != 0) return Fail(Describe(i) + " is part of a loop of references");
        return true;
    }

    bool Build() {
        scene = std::make_unique<Scene>();
        for (ObjectRecord& record : records)
            if (record.unknown)
                for (std::int32_t index : record.refs) {
                    const ObjectRecord* target = index >= 0 ? &records[std::size_t(index)] : nullptr;
                    record.unknown->AddLink(target ? target->object : nullptr,
                                            target ? target->unknown.get() : nullptr);
                }
        for (std::size_t i = 0; i < records.size(); ++i)
            if (records[i].object && !Wire(i)) return false;
        for (std::int32_t index : rootIndices) {
            ObjectRecord* record = index >= 0 ? &records[std::size_t(index)] : nullptr;
            const int root = scene->AddRoot(record ? record->object : nullptr);
            if (record && record->unknown) record->unknown->AddRootPlace(root);
        }
        for (ObjectRecord& record : records)
            if (record.unknown) scene->unknowns.push_back(std::move(record.unknown));
        keeper.reset();
        return true;
    }

    // Objects take their references as the kinds they expect, unchecked, as
    // plug-ins do. So a reference the new object made itself (its parameter
    // block) is replaced only by an object of the same class, and kept when
    // the file has none there; any other takes a texture or nothing. A file
    // that asks otherwise is damaged.
    static bool Fits(ReferenceTarget* made, ReferenceTarget* wanted) {
        if (made && wanted)
            return wanted->SuperClassCode() == made->SuperClassCode() && wanted->ClassID() == made->ClassID();
        return !wanted || wanted->SuperClassCode() == TEXMAP_CLASS_ID;
    }

    bool Wire(std::size_t i) {
        ReferenceTarget& object = *records[i].object;
        const std::vector<std::int32_t>& refs = records[i].refs;
        const int count = object.NumRefs();
        if (refs.size() > std::size_t(count))
            warnings.push_back(name + ": " + Describe(i) + " has " + std::to_string(refs.size()) +
                              " references in the file, but its class takes " + std::to_string(count) +
                              "; the others are dropped");
        for (int j = 0; j < count && std::size_t(j) < refs.size(); ++j) {
            ObjectRecord* target = refs[std::size_t(j)] >= 0 ? &records[std::size_t(refs[std::size_t(j)])] : nullptr;
            ReferenceTarget* made = object.GetReference(j);
            ReferenceTarget* wanted = target ? target->object : nullptr;
            if (made && !wanted) continue;  // keeps its own over none or an unknown object
            if (made != wanted && Fits(made, wanted)) object.ReplaceReference(j, wanted);
            if (object.GetReference(j) != wanted)
                return Fail(Describe(i) + " does not accept " + Describe(std::size_t(refs[std::size_t(j)])) +
                            " as its reference " + std::to_string(j));
            if (target && target->unknown) target->unknown->AddParent(&object, j);
        }
        return true;
    }

    CheckedLoad in;
    std::string name;
    const ClassRegistry& classes;
    std::string error;
    std::vector<std::string> warnings;
    std::vector<std::int32_t> rootIndices;
    bool sawEnd = false;
    // Destroyed in reverse: the scene (on failure), then the records' unknown
    // objects, then the keeper, which deletes what nobody holds.
    std::unique_ptr<ObjectKeeper> keeper;
    std::deque<ObjectRecord> records;
    std::unique_ptr<Scene> scene;
};

SceneLoadResult Scene::LoadFromMemory(studio::Bytes data, const std::string& name, const ClassRegistry& classes) {
    return SceneReader(std::move(data), name, classes).Read();
}
