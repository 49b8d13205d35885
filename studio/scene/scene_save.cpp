// Writing a scene: every object reachable from the roots once, in the order
// first met, each with its class, its references by index and its own data.

#include <cstdio>
#include <optional>
#include <unordered_map>
#include <variant>

#include "studio/core/stream_values.h"
#include "studio/core/streams.h"
#include "studio/scene/param_block_io.h"
#include "studio/scene/scene.h"
#include "studio/scene/scene_format.h"

namespace {

/// An object of the file: a live target, or an object of an unloaded class.
using Node = std::variant<ReferenceTarget*, UnknownObject*>;

const void* Key(const Node& node) {
    return std::holds_alternative<ReferenceTarget*>(node) ? static_cast<const void*>(std::get<0>(node))
                                                          : static_cast<const void*>(std::get<1>(node));
}

class SceneWriter {
public:
    SceneWriter(Scene& s, ISave& o) : scene(s), out(o) {}

    std::string Write() {
        for (int i = 0; i < scene.RootCount(); ++i) rootIndex.push_back(Visit(Child(scene, i)));
        if (out.Write(SCENE_MAGIC, sizeof SCENE_MAGIC) != IO_OK ||
            studio::WriteU32(out, SCENE_FORMAT_VERSION) != IO_OK)
            return "the header could not be written";
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const std::string error = WriteObject(i);
            if (!error.empty()) return error;
        }
        out.StartChunk(SCENE_ROOTS_CHUNK);
        IOResult result = WriteIndices(rootIndex);
        out.FinishChunk();
        out.StartChunk(SCENE_END_CHUNK);
        if (result == IO_OK) result = studio::WriteU32(out, std::uint32_t(nodes.size()));
        out.FinishChunk();
        return result == IO_OK ? std::string() : "the list of roots could not be written";
    }

private:
    // What reference i of `maker` leads to: its target, else an unknown
    // object that it referred to when the scene was loaded.
    std::optional<Node> Child(ReferenceMaker& maker, int i) {
        if (RefTargetHandle target = maker.GetReference(i)) return Node(target);
        for (const auto& unknown : scene.UnknownObjects())
            if (&maker == &scene ? unknown->WasRoot(i) : unknown->WasReferencedBy(&maker, i))
                return Node(unknown.get());
        return std::nullopt;
    }

    std::optional<Node> Link(UnknownObject& unknown, int i) {
        if (UnknownObject* other = unknown.UnknownLink(i)) return Node(other);
        if (RefTargetHandle target = unknown.KnownLink(i)) return Node(target);
        return std::nullopt;
    }

    std::int32_t Visit(const std::optional<Node>& node) {
        if (!node) return -1;
        if (auto found = index.find(Key(*node)); found != index.end()) return found->second;
        const auto mine = std::int32_t(nodes.size());
        index[Key(*node)] = mine;
        nodes.push_back(*node);
        refIndices.emplace_back();
        std::vector<std::int32_t> refs;
        if (auto* target = std::get_if<ReferenceTarget*>(&*node)) {
            for (int i = 0; i < (*target)->NumRefs(); ++i) refs.push_back(Visit(Child(**target, i)));
        } else {
            UnknownObject& unknown = *std::get<UnknownObject*>(*node);
            for (int i = 0; i < unknown.LinkCount(); ++i) refs.push_back(Visit(Link(unknown, i)));
        }
        refIndices[std::size_t(mine)] = std::move(refs);
        return mine;
    }

    IOResult WriteIndices(const std::vector<std::int32_t>& indices) {
        IOResult result = studio::WriteU32(out, std::uint32_t(indices.size()));
        for (std::int32_t i : indices)
            if (result == IO_OK) result = studio::WriteI32(out, i);
        return result;
    }

    IOResult WriteClass(SClass_ID sclass, Class_ID id, const std::string& name) {
        out.StartChunk(OBJECT_CLASS_CHUNK);
        IOResult result = studio::WriteU32(out, sclass);
        if (result == IO_OK) result = studio::WriteU32(out, id.PartA());
        if (result == IO_OK) result = studio::WriteU32(out, id.PartB());
        if (result == IO_OK) result = out.WriteString(name.c_str());
        out.FinishChunk();
        return result;
    }

    std::string WriteObject(std::size_t i) {
        out.StartChunk(SCENE_OBJECT_CHUNK);
        const std::string error = std::holds_alternative<ReferenceTarget*>(nodes[i])
                                      ? WriteLiveObject(i, *std::get<ReferenceTarget*>(nodes[i]))
                                      : WriteUnknownObject(i, *std::get<UnknownObject*>(nodes[i]));
        out.FinishChunk();
        return error;
    }

    std::string WriteLiveObject(std::size_t i, ReferenceTarget& object) {
        const bool isBlock = IsStudioParamBlock(&object);
        CStr name("ParamBlock");
        if (!isBlock) object.FillClassName(name);
        const std::string what = "object " + std::to_string(i) + " (" + name.str() + ")";
        IOResult result = isBlock ? WriteClass(PARAM_BLOCK_SCLASS_ID, PARAM_BLOCK_CLASS_ID, name.str())
                                  : WriteClass(object.SuperClassCode(), object.ClassID(), name.str());
        if (result == IO_OK) result = WriteRefs(i);
        if (result != IO_OK) return what + " could not be written";
        out.StartChunk(OBJECT_DATA_CHUNK);
        const std::size_t depth = OpenChunks();
        result = isBlock ? SaveParamBlock(object, out) : object.Save(&out);
        if (result != IO_OK) return what + " could not be saved (its Save answered " + std::to_string(result) + ")";
        if (OpenChunks() != depth) return what + " could not be saved (its Save left a chunk open)";
        out.FinishChunk();
        return {};
    }

    std::string WriteUnknownObject(std::size_t i, UnknownObject& unknown) {
        IOResult result = WriteClass(unknown.SuperClass(), unknown.ClassId(), unknown.ClassName());
        if (result == IO_OK) result = WriteRefs(i);
        out.StartChunk(OBJECT_DATA_CHUNK);
        if (result == IO_OK && !unknown.Data().empty()) result = out.Write(unknown.Data().data(), unknown.Data().size());
        out.FinishChunk();
        if (result != IO_OK) return "object " + std::to_string(i) + " of class " + unknown.Describe() + " could not be written";
        return {};
    }

    // Chunks open on a studio stream; other streams cannot tell, and count 0.
    std::size_t OpenChunks() const {
        const auto* memory = dynamic_cast<const studio::MemorySave*>(&out);
        return memory ? memory->OpenChunks() : 0;
    }

    IOResult WriteRefs(std::size_t i) {
        out.StartChunk(OBJECT_REFS_CHUNK);
        const IOResult result = WriteIndices(refIndices[i]);
        out.FinishChunk();
        return result;
    }

    Scene& scene;
    ISave& out;
    std::vector<Node> nodes;
    std::vector<std::vector<std::int32_t>> refIndices;
    std::unordered_map<const void*, std::int32_t> index;
    std::vector<std::int32_t> rootIndex;
};

}  // namespace

std::string Scene::SaveTo(ISave& out) { return SceneWriter(*this, out).Write(); }
