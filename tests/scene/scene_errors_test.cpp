#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "scene_test_support.h"
#include "studio/core/stream_values.h"
#include "studio/scene/scene_format.h"
#include "studio/textures/bitmap_texture.h"

namespace fs = std::filesystem;
using namespace scene_test;

namespace {

/// Writes scene files by hand, to make damaged ones.
class FileBuilder {
public:
    explicit FileBuilder(std::uint32_t version = SCENE_FORMAT_VERSION) {
        out.Write(SCENE_MAGIC, sizeof SCENE_MAGIC);
        studio::WriteU32(out, version);
    }
    FileBuilder& Object(Class_ID id, std::vector<std::int32_t> refs, const std::function<void(ISave&)>& data,
                        SClass_ID sclass = TEXMAP_CLASS_ID) {
        out.StartChunk(SCENE_OBJECT_CHUNK);
        out.StartChunk(OBJECT_CLASS_CHUNK);
        studio::WriteU32(out, sclass);
        studio::WriteU32(out, id.PartA());
        studio::WriteU32(out, id.PartB());
        out.WriteString("Test");
        out.FinishChunk();
        Indices(OBJECT_REFS_CHUNK, refs);
        if (data) {
            out.StartChunk(OBJECT_DATA_CHUNK);
            data(out);
            out.FinishChunk();
        }
        out.FinishChunk();
        ++objects;
        return *this;
    }
    FileBuilder& Roots(std::vector<std::int32_t> roots) { return Indices(SCENE_ROOTS_CHUNK, roots); }
    FileBuilder& End(int count = -1) {
        out.StartChunk(SCENE_END_CHUNK);
        studio::WriteU32(out, std::uint32_t(count < 0 ? objects : count));
        out.FinishChunk();
        return *this;
    }
    FileBuilder& Chunk(USHORT id, std::uint32_t value) {
        out.StartChunk(id);
        studio::WriteU32(out, value);
        out.FinishChunk();
        return *this;
    }
    studio::Bytes Bytes() const { return out.Data(); }

private:
    FileBuilder& Indices(USHORT id, const std::vector<std::int32_t>& indices) {
        out.StartChunk(id);
        studio::WriteU32(out, std::uint32_t(indices.size()));
        for (std::int32_t i : indices) studio::WriteI32(out, i);
        out.FinishChunk();
        return *this;
    }
    studio::MemorySave out;
    int objects = 0;
};

void NoData(ISave&) {}

SceneLoadResult LoadBytes(const studio::Bytes& bytes) {
    return Scene::LoadFromMemory(bytes, "scene.tnts", StandardClasses());
}

void ExpectRefused(const studio::Bytes& bytes, const std::string& expected, const std::string& what) {
    const SceneLoadResult result = LoadBytes(bytes);
    EXPECT_FALSE(result) << what;
    EXPECT_EQ(result.scene, nullptr) << what;
    EXPECT_TRUE(result.warnings.empty()) << what;
    EXPECT_EQ(result.error.rfind("scene.tnts: ", 0), 0u) << what << ": " << result.error;
    EXPECT_NE(result.error.find(expected), std::string::npos) << what << ": " << result.error;
}

studio::Bytes ValidFile() {
    Scene scene;
    BuildStandardGraph(scene);
    return SceneBytes(scene);
}

TEST(SceneLoadErrors, DamagedForeignAndNewerFilesAreRefusedWithAMessage) {
    studio::Bytes pastEnd = ValidFile();
    studio::PutLE(&pastEnd[12 + 2], 0xFFFFFF00u, 4);
    studio::Bytes foreign = ValidFile();
    foreign[0] = 'X';
    studio::Bytes noEnd = ValidFile();
    noEnd.resize(noEnd.size() - 10);  // exactly the end marker chunk

    // A constant whose base-data chunk claims more than its data chunk holds.
    const auto innerPastEnd = [](ISave& out) {
        studio::WriteU16(out, 0x4000);
        studio::WriteU32(out, 1000);
        studio::WriteU32(out, 0);
    };
    const auto unknownType = [](ISave& out) {
        out.StartChunk(0x0010);
        studio::WriteU32(out, 1);
        studio::WriteU32(out, 1);
        studio::WriteI32(out, 9);
        studio::WriteI32(out, 1);
        studio::WriteU32(out, 0);
        out.FinishChunk();
    };
    const auto blockOf = [](ISave& out) {
        out.StartChunk(0x0010);
        studio::WriteU32(out, 1);
        studio::WriteU32(out, 0);
        out.FinishChunk();
    };
    const Class_ID checker = CHECKER_TEX_CLASS_ID, mix = MIX_TEX_CLASS_ID;

    const struct {
        const char* what;
        studio::Bytes bytes;
        std::string expected;
    } cases[] = {
        {"empty", {}, "too short to be a Tintora scene file (0 bytes)"},
        {"wrong magic", foreign, "not a Tintora scene file"},
        {"newer version", FileBuilder(2).End().Bytes(),
         "scene format version 2 is newer than this program reads (up to version 1)"},
        {"version 0", FileBuilder(0).End().Bytes(), "unknown scene format version 0"},
        {"bad length", pastEnd, "chunk 0x0100 at byte 12 runs past the end of the file"},
        {"no end marker", noEnd, "the file ends before its end marker (it is truncated)"},
        {"end count", FileBuilder().End(3).Bytes(), "the end marker counts 3 objects, but the file holds 0"},
        {"inner chunk past its end", FileBuilder().Object(CONSTANT_TEX_CLASS_ID, {}, innerPastEnd).End().Bytes(),
         "object 0 (Test) at byte 12: chunk 0x4000 at byte 60 runs past the end of its enclosing chunk 0x0130 at byte 54"},
        {"no data", FileBuilder().Object(checker, {}, nullptr).End().Bytes(), "object 0 (Test) at byte 12 has no data"},
        {"reference out of range", FileBuilder().Object(checker, {7}, NoData).End().Bytes(),
         "refers to object 7, which the file does not hold"},
        {"root out of range", FileBuilder().Roots({-2}).End().Bytes(), "a root refers to object -2"},
        {"loop", FileBuilder().Object(mix, {-1, 1}, NoData).Object(mix, {-1, 0}, NoData).End().Bytes(),
         "is part of a loop of references"},
        {"wrong kind of target", FileBuilder().Object(checker, {1}, NoData).Object(checker, {}, NoData).End().Bytes(),
         "object 0 (Test) at byte 12 does not accept object 1 (Test)"},
        {"unknown parameter type",
         FileBuilder().Object(PARAM_BLOCK_CLASS_ID, {}, unknownType, PARAM_BLOCK_SCLASS_ID).End().Bytes(),
         "a parameter has the unknown type 9"},
        {"block as a texture's slot",
         FileBuilder().Object(mix, {-1, 1}, NoData).Object(PARAM_BLOCK_CLASS_ID, {}, blockOf, PARAM_BLOCK_SCLASS_ID).End().Bytes(),
         "does not accept object 1"},
    };
    for (const auto& c : cases) ExpectRefused(c.bytes, c.expected, c.what);
}

TEST(SceneLoadErrors, EveryTruncationIsRefused) {
    const studio::Bytes whole = ValidFile();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const studio::Bytes cut(whole.begin(), whole.begin() + std::ptrdiff_t(size));
        const SceneLoadResult result = LoadBytes(cut);
        ASSERT_FALSE(result) << "cut at " << size;
        EXPECT_EQ(result.error.rfind("scene.tnts: ", 0), 0u) << result.error;
    }
}

TEST(SceneLoadErrors, AnyDamagedByteLoadsCompletelyOrIsRefused) {
    const studio::Bytes whole = ValidFile();
    for (std::size_t at = 0; at < whole.size(); ++at) {
        studio::Bytes damaged = whole;
        damaged[at] ^= 0xA5;
        const SceneLoadResult result = LoadBytes(damaged);
        if (!result) {
            EXPECT_FALSE(result.error.empty()) << "byte " << at;
            continue;
        }
        for (int i = 0; i < result.scene->RootCount(); ++i)
            if (Texmap* root = result.scene->RootTexmap(i)) Evaluate(*root, 80);
    }
}

TEST(SceneLoadErrors, ChainsDeeperThanTheLimitAreRefused) {
    for (const std::uint32_t length : {SCENE_MAX_DEPTH, SCENE_MAX_DEPTH + 1}) {
        FileBuilder builder;
        for (std::uint32_t i = 0; i + 1 < length; ++i)
            builder.Object(MIX_TEX_CLASS_ID, {-1, std::int32_t(i + 1)}, NoData);
        builder.Object(MIX_TEX_CLASS_ID, {}, NoData).Roots({0}).End();
        const SceneLoadResult result = LoadBytes(builder.Bytes());
        if (length == SCENE_MAX_DEPTH)
            EXPECT_TRUE(result) << result.error;
        else
            EXPECT_NE(result.error.find("deeper than 4096 levels of references"), std::string::npos) << result.error;
    }
}

TEST(SceneLoadErrors, UnknownChunksAreSkipped) {
    Scene scene;
    scene.AddRoot(new ConstantTex);
    studio::Bytes bytes = SceneBytes(scene);
    const studio::Bytes extra = FileBuilder().Chunk(0x7777, 42).Bytes();
    bytes.insert(bytes.begin() + 12, extra.begin() + 12, extra.end());
    const SceneLoadResult result = LoadBytes(bytes);
    ASSERT_TRUE(result) << result.error;
    EXPECT_NE(result.scene->RootTexmap(0), nullptr);
}

TEST(SceneLoadErrors, UnreadableFileIsNamed) {
    const SceneLoadResult result = Scene::Load("/nonexistent/folder/scene.tnts", StandardClasses());
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, "/nonexistent/folder/scene.tnts: cannot be opened for reading");
}

TEST(SceneUnknownClasses, AreReportedKeptAsEmptyReferencesAndWrittenBack) {
    Scene original;
    BuildStandardGraph(original);
    const studio::Bytes bytes = SceneBytes(original);

    const ClassRegistry all = StandardClasses();
    ClassRegistry withoutNoise;
    for (ClassDesc* desc : all.All())
        if (!(desc->DescClassID() == NOISE_TEX_CLASS_ID)) withoutNoise.Add(desc);
    SceneLoadResult partial = Scene::LoadFromMemory(bytes, "scene.tnts", withoutNoise);
    ASSERT_TRUE(partial) << partial.error;
    ASSERT_EQ(partial.warnings.size(), 1u);
    EXPECT_NE(partial.warnings[0].find("\"Noise\" (0x6B1E0A03, 0x3C52D7E3)"), std::string::npos) << partial.warnings[0];
    EXPECT_EQ(partial.warnings[0].rfind("scene.tnts: ", 0), 0u);
    Texmap* mix = partial.scene->RootTexmap(0);
    EXPECT_EQ(mix->GetSubTexmap(MixTex::MAP2), nullptr);
    EXPECT_NE(mix->GetSubTexmap(MixTex::MAP1), nullptr);
    EXPECT_EQ(partial.scene->UnknownObjects().size(), 1u);

    const studio::Bytes resaved = SceneBytes(*partial.scene);
    EXPECT_EQ(resaved, bytes) << "the unknown object and its place are written back";
    SceneLoadResult complete = Scene::LoadFromMemory(resaved, "scene.tnts", StandardClasses());
    ASSERT_TRUE(complete) << complete.error;
    ExpectSameEverywhere(*original.RootTexmap(0), *complete.scene->RootTexmap(0), "after the round trip");
}

TEST(SceneUnknownClasses, UnknownRootKeepsItsPlace) {
    Scene original;
    original.AddRoot(new NoiseTex);
    original.AddRoot(new ConstantTex);
    const studio::Bytes bytes = SceneBytes(original);
    ClassRegistry onlyConstant;
    onlyConstant.Add(StandardClasses().Find(TEXMAP_CLASS_ID, CONSTANT_TEX_CLASS_ID));
    SceneLoadResult partial = Scene::LoadFromMemory(bytes, "scene.tnts", onlyConstant);
    ASSERT_TRUE(partial) << partial.error;
    EXPECT_EQ(partial.scene->Root(0), nullptr);
    EXPECT_NE(partial.scene->Root(1), nullptr);
    EXPECT_EQ(SceneBytes(*partial.scene), bytes);
}

// A texture whose Save fails half-way through the scene.
class FailingTex final : public Texmap {
public:
    ColorRGBA EvaluateColor(ShadingContext&) override { return {}; }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
    IOResult Save(ISave* out) override {
        out->StartChunk(0x4000);
        return IO_ERROR;
    }
    void FillClassName(CStr& className) override { className = "Failing"; }
};

// A texture whose Save answers success but leaves its chunk open.
class UnbalancedTex final : public Texmap {
public:
    ColorRGBA EvaluateColor(ShadingContext&) override { return {}; }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
    IOResult Save(ISave* out) override {
        out->StartChunk(0x4000);
        return IO_OK;
    }
    void FillClassName(CStr& className) override { className = "Unbalanced"; }
};

TEST(SceneSaveErrors, ObjectThatLeavesAChunkOpenIsReported) {
    Scene scene;
    scene.AddRoot(new UnbalancedTex);
    studio::MemorySave out;
    EXPECT_EQ(scene.SaveTo(out), "object 0 (Unbalanced) could not be saved (its Save left a chunk open)");
}

class SceneSave : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tintora-scene-save-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               "-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const char* name) const { return (dir / name).string(); }
    std::size_t FileCount() const {
        return std::size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    fs::path dir;
};

TEST_F(SceneSave, FailedSaveLeavesTheOldFileAsItWas) {
    Scene good;
    BuildStandardGraph(good);
    ASSERT_EQ(good.Save(Path("scene.tnts")), "");
    const studio::Bytes before = SceneBytes(good);

    Scene bad;
    bad.AddRoot(new ConstantTex);
    bad.AddRoot(new FailingTex);
    const std::string error = bad.Save(Path("scene.tnts"));
    EXPECT_NE(error.find("scene.tnts: not saved, object 2 (Failing) could not be saved"), std::string::npos) << error;
    EXPECT_EQ(FileCount(), 1u) << "no temporary file is left";
    SceneLoadResult reread = Scene::Load(Path("scene.tnts"), StandardClasses());
    ASSERT_TRUE(reread) << reread.error;
    EXPECT_EQ(SceneBytes(*reread.scene), before);
}

TEST_F(SceneSave, TargetThatCannotBeReplacedIsReportedAndKept) {
    fs::create_directories(Path("taken.tnts/inside"));
    Scene scene;
    scene.AddRoot(new ConstantTex);
    const std::string error = scene.Save(Path("taken.tnts"));
    EXPECT_NE(error.find("taken.tnts"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(Path("taken.tnts/inside")));
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(SceneSave, MissingImageIsAWarningAndItsPathIsKept) {
    Scene scene;
    auto* bitmap = new BitmapTex;
    const std::string missing = Path("gone.png");
    bitmap->SetFileName(missing);
    scene.AddRoot(bitmap);
    ASSERT_EQ(scene.Save(Path("bitmap.tnts")), "");
    SceneLoadResult loaded = Scene::Load(Path("bitmap.tnts"), StandardClasses());
    ASSERT_TRUE(loaded) << loaded.error;
    ASSERT_EQ(loaded.warnings.size(), 1u);
    EXPECT_NE(loaded.warnings[0].find(missing), std::string::npos) << loaded.warnings[0];
    auto* reloaded = dynamic_cast<BitmapTex*>(loaded.scene->RootTexmap(0));
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(reloaded->FileName(), missing);
}

}  // namespace
