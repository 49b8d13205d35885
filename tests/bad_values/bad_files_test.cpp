// Paths that name nothing, a folder, an empty file or an image too large to
// hold: the image reader, the bitmap texture and the scene files each give
// a clear message naming the path, and nothing crashes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "studio/render/image_file.h"
#include "studio/render/renderer.h"
#include "studio/scene/scene.h"
#include "studio/textures/bitmap_texture.h"
#include "studio/textures/standard_classes.h"

namespace {

namespace fs = std::filesystem;

class BadFiles : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::path(testing::TempDir()) /
                 (std::string("bad_files_") + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "a folder.png");
        std::ofstream(folder / "empty.png").flush();
        std::ofstream(folder / "empty.tnts").flush();
        std::ofstream(folder / "text.tnts") << "not a scene at all\n";
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string Path(const std::string& name) const { return (folder / name).string(); }

    /// A binary PPM whose header claims `width` x `height` pixels, followed
    /// by only a few bytes of them.
    std::string ClaimedSizeImage(const std::string& name, long width, long height) const {
        std::ofstream(folder / name, std::ios::binary)
            << "P6\n" << width << " " << height << "\n255\n" << std::string(48, '\x7f');
        return Path(name);
    }

    fs::path folder;
};

TEST_F(BadFiles, ImageReaderNamesEachProblem) {
    struct Case {
        std::string path;
        const char* expected;  ///< part of the message besides the path, or null
    };
    const Case cases[] = {
        {Path("missing.png"), nullptr},
        {Path("a folder.png"), nullptr},
        {Path("empty.png"), nullptr},
        {ClaimedSizeImage("huge.ppm", 1000000, 1000000), "too large"},
        {ClaimedSizeImage("wide.ppm", 100000, 2), "too large"},
        {ClaimedSizeImage("tall.ppm", 3, 2000000), "too large"},
        {ClaimedSizeImage("short.ppm", 300, 200), nullptr},  // fewer pixels than claimed
    };
    for (const Case& c : cases) {
        const ImageReadResult read = ReadImage(c.path);
        EXPECT_NE(read.error.find(c.path), std::string::npos) << read.error;
        if (c.expected) {
            EXPECT_NE(read.error.find(c.expected), std::string::npos) << read.error;
        }
        EXPECT_TRUE(read.image.Empty()) << c.path;
    }
}

TEST_F(BadFiles, ImageAtTheSizeLimitIsNotRefusedForItsSize) {
    // Within the limit, a short file fails for its missing pixels, not its size.
    const ImageReadResult read = ReadImage(ClaimedSizeImage("edge.ppm", 16384, 2));
    EXPECT_EQ(read.error.find("too large"), std::string::npos) << read.error;
}

TEST_F(BadFiles, BitmapShowsNothingAndSaysWhy) {
    const std::string paths[] = {Path("missing.png"), Path("a folder.png"), Path("empty.png"),
                                 ClaimedSizeImage("huge.ppm", 1000000, 1000000)};
    for (const std::string& path : paths) {
        BitmapTex bitmap;
        const std::string problem = bitmap.SetFileName(path);
        EXPECT_NE(problem.find(path), std::string::npos) << problem;
        EXPECT_EQ(bitmap.FileName(), path);
        EXPECT_EQ(bitmap.Image(), nullptr);
    }
}

TEST_F(BadFiles, SceneLoaderRefusesWithTheFileName) {
    ClassRegistry classes;
    RegisterStandardTextures(classes);
    for (const std::string& path : {Path("missing.tnts"), Path("a folder.png"), Path("empty.tnts"),
                                    Path("text.tnts"), ClaimedSizeImage("huge.ppm", 1000000, 1000000)}) {
        const SceneLoadResult loaded = Scene::Load(path, classes);
        EXPECT_FALSE(loaded) << path;
        EXPECT_NE(loaded.error.find(path), std::string::npos) << loaded.error;
    }
}

TEST_F(BadFiles, SceneWithABadImageLoadsWithAWarning) {
    ClassRegistry classes;
    RegisterStandardTextures(classes);
    const std::string image = ClaimedSizeImage("huge.ppm", 1000000, 1000000);
    {
        Scene scene;
        auto* bitmap = new BitmapTex;
        bitmap->SetFileName(image);
        scene.AddRoot(bitmap);
        ASSERT_EQ(scene.Save(Path("with image.tnts")), "");
    }
    const SceneLoadResult loaded = Scene::Load(Path("with image.tnts"), classes);
    ASSERT_TRUE(loaded) << loaded.error;
    ASSERT_EQ(loaded.warnings.size(), 1u);
    EXPECT_NE(loaded.warnings[0].find(image), std::string::npos) << loaded.warnings[0];
    auto* bitmap = dynamic_cast<BitmapTex*>(loaded.scene->Root(0));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->FileName(), image);
}

TEST_F(BadFiles, SavingWhereNoFileCanBeSaysSo) {
    for (const std::string& path : {Path("a folder.png"), Path("no folder/scene.tnts")}) {
        Scene scene;
        const std::string problem = scene.Save(path);
        EXPECT_NE(problem.find(path), std::string::npos) << problem;
    }
    EXPECT_TRUE(fs::is_directory(Path("a folder.png")));
}

TEST_F(BadFiles, RenderingAnImageTooLargeToHoldSaysSo) {
    BitmapTex texture;
    for (const auto& [width, height] : {std::pair{1000000, 1000000}, std::pair{100000, 2}}) {
        RenderSettings settings;
        settings.width = width;
        settings.height = height;
        const std::string problem = RenderToFile(texture, 0, settings, Path("big.exr"));
        EXPECT_NE(problem.find("too large"), std::string::npos) << problem;
        EXPECT_FALSE(fs::exists(Path("big.exr")));
    }
}

}  // namespace
