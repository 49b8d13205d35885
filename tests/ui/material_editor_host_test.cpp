// The material editor's parameters object: rollups, time, mouse and change
// hand-offs, and the texture chooser behind message 17410.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "host/mtl_base.h"
#include "studio/ui/material_editor_host.h"
#include "studio/ui/window_system.h"
#include "tests/ui/ui_test_support.h"

namespace {

using studio::MaterialEditorHost;
using studio::Windows;
using uitest::Recorded;
using uitest::RecordedLParams;
using uitest::TestInstance;

// A texture with twelve slots that records what it is handed.
class RecordingTexture : public StdTexmap {
public:
    ColorRGBA EvaluateColor(ShadingContext&) override { return {}; }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
    int SubTexmapCount() override { return 12; }
    void SetSubTexmap(int slot, Texmap* texture) override { assigned.emplace_back(slot, texture); }

    std::vector<std::pair<int, Texmap*>> assigned;
};

// Holds the texture as its dependent and records the change notices.
class Watcher : public ReferenceMaker {
public:
    struct Notice {
        RefMessage message;
        PartID part;
        std::size_t assignedBefore;  // how many SetSubTexmap calls had run
        bool operator==(const Notice&) const = default;
    };

    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int) override { return texture; }
    void SetReference(int, RefTargetHandle target) override { texture = static_cast<RecordingTexture*>(target); }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID& part, RefMessage message) override {
        notices.push_back({message, part, texture ? texture->assigned.size() : 0});
        return REF_SUCCEED;
    }

    RecordingTexture* texture = nullptr;
    std::vector<Notice> notices;
};

class MaterialEditorHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        uitest::PrepareTestModule();
        watcher.ReplaceReference(0, new RecordingTexture);
        ASSERT_NE(watcher.texture, nullptr);
        Recorded().clear();
        RecordedLParams().clear();
    }
    void PostRequest(WPARAM slot, LPARAM texture) {
        ASSERT_TRUE(PostMessageA(host.EditorWindow(), 17410, slot, texture));
    }
    LPARAM TextureParam() const { return reinterpret_cast<LPARAM>(static_cast<MtlBase*>(watcher.texture)); }

    Watcher watcher;  // deletes the texture when it goes
    MaterialEditorHost host;
};

TEST_F(MaterialEditorHostTest, AddRollupRunsInitDialogBeforeItReturns) {
    static HWND seen;
    const DLGPROC linkOnInit = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> INT_PTR {
        if (m == 272) {
            seen = w;
            SetWindowLongA(w, GWLP_USERDATA, lp);
        }
        return uitest::RecordingProc(w, m, wp, lp);
    };
    int editor = 0;
    const HWND rollup = host.AddRollup(TestInstance(), 102, linkOnInit, "Tintora Parameters",
                                       reinterpret_cast<LPARAM>(&editor), 0);
    ASSERT_NE(rollup, nullptr);
    EXPECT_EQ(seen, rollup);
    ASSERT_EQ(Recorded().size(), 1u);
    EXPECT_EQ(Recorded()[0].message, 272u);
    EXPECT_EQ(RecordedLParams()[0], reinterpret_cast<LPARAM>(&editor));
    EXPECT_EQ(reinterpret_cast<int*>(GetWindowLongA(rollup, GWLP_USERDATA)), &editor);
}

TEST_F(MaterialEditorHostTest, RollupsStackInOrderWithTitlesAndFlags) {
    const HWND about = host.AddRollup(TestInstance(), 103, nullptr, "About Tintora", 0, 1);
    const HWND params = host.AddRollup(TestInstance(), 102, uitest::RecordingProc, "Tintora Parameters", 0, 0);
    ASSERT_NE(about, nullptr);
    ASSERT_NE(params, nullptr);
    ASSERT_EQ(host.Rollups().size(), 2u);
    EXPECT_EQ(host.Rollups()[0].window, about);
    EXPECT_EQ(host.Rollups()[0].title, "About Tintora");
    EXPECT_EQ(host.Rollups()[0].flags, 1u);
    EXPECT_EQ(host.Rollups()[0].templateId, 103);
    EXPECT_EQ(host.Rollups()[1].window, params);
    EXPECT_EQ(host.Rollups()[1].title, "Tintora Parameters");
    EXPECT_EQ(host.Rollups()[1].flags, 0u);
    EXPECT_EQ(Windows().Find(about)->parent, host.EditorWindow());
    EXPECT_EQ(Windows().Find(params)->y, 114);  // below the about rollup
    EXPECT_EQ(Windows().Find(host.EditorWindow())->children, (std::vector<HWND>{about, params}));
}

TEST_F(MaterialEditorHostTest, MissingTemplateAddsNothing) {
    EXPECT_EQ(host.AddRollup(TestInstance(), 999, nullptr, "None", 0, 0), nullptr);
    int other = 0;
    EXPECT_EQ(host.AddRollup(reinterpret_cast<HINSTANCE>(&other), 102, nullptr, "None", 0, 0), nullptr);
    EXPECT_TRUE(host.Rollups().empty());
}

TEST_F(MaterialEditorHostTest, DestroyingTheHostRemovesItsWindows) {
    HWND window = nullptr, rollup = nullptr;
    {
        MaterialEditorHost local;
        window = local.EditorWindow();
        rollup = local.AddRollup(TestInstance(), 103, nullptr, "About Tintora", 0, 1);
        ASSERT_NE(rollup, nullptr);
    }
    EXPECT_EQ(Windows().Find(window), nullptr);
    EXPECT_EQ(Windows().Find(rollup), nullptr);
}

TEST_F(MaterialEditorHostTest, TimeMouseAndChangeHandOffs) {
    EXPECT_EQ(host.CurrentTime(), 0);
    host.SetCurrentTime(4800);
    EXPECT_EQ(host.CurrentTime(), 4800);

    std::vector<UINT> mouse;
    EXPECT_EQ(host.PassMouseMessage(nullptr, 512, 0, 0), 0);
    host.SetMouseHandler([&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
        mouse.push_back(m);
        return 0;
    });
    host.PassMouseMessage(nullptr, 513, 1, 2);
    host.PassMouseMessage(nullptr, 514, 1, 2);
    EXPECT_EQ(mouse, (std::vector<UINT>{513, 514}));
    EXPECT_EQ(host.MouseMessageCount(), 3);

    int calls = 0;
    host.MapChanged();
    host.SetMapChangedCallback([&] { ++calls; });
    host.MapChanged();
    EXPECT_EQ(host.MapChangedCount(), 2);
    EXPECT_EQ(calls, 1);
}

TEST_F(MaterialEditorHostTest, PostedRequestIsAnsweredByTheChooserAtThePump) {
    RecordingTexture chosen;
    std::vector<std::pair<MtlBase*, int>> asked;
    host.SetTextureChooser([&](MtlBase& texture, int slot) -> std::optional<Texmap*> {
        asked.emplace_back(&texture, slot);
        return &chosen;
    });
    PostRequest(3, TextureParam());
    EXPECT_TRUE(asked.empty());  // nothing until the pump delivers it
    Windows().Pump();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, watcher.texture);
    EXPECT_EQ(asked[0].second, 3);
    EXPECT_EQ(watcher.texture->assigned, (std::vector<std::pair<int, Texmap*>>{{3, &chosen}}));
    // The change notice follows the assignment.
    EXPECT_EQ(watcher.notices, (std::vector<Watcher::Notice>{{80, 0x9ff, 1}}));
}

TEST_F(MaterialEditorHostTest, ChoosingNoneEmptiesTheSlotAndCancelDoesNothing) {
    std::optional<Texmap*> answer = nullptr;
    host.SetTextureChooser([&](MtlBase&, int) { return answer; });
    PostRequest(0, TextureParam());
    Windows().Pump();
    EXPECT_EQ(watcher.texture->assigned, (std::vector<std::pair<int, Texmap*>>{{0, nullptr}}));
    EXPECT_EQ(watcher.notices.size(), 1u);

    answer = std::nullopt;
    PostRequest(11, TextureParam());
    Windows().Pump();
    EXPECT_EQ(watcher.texture->assigned.size(), 1u);
    EXPECT_EQ(watcher.notices.size(), 1u);
}

TEST_F(MaterialEditorHostTest, MalformedRequestsNeverReachTheChooser) {
    int asked = 0;
    host.SetTextureChooser([&](MtlBase&, int) -> std::optional<Texmap*> {
        ++asked;
        return nullptr;
    });
    PostRequest(12, TextureParam());          // past the last slot
    PostRequest(WPARAM(-1), TextureParam());  // negative
    PostRequest(0x100000000ull & WPARAM(-1), TextureParam());
    PostRequest(0, 0);                        // no texture
    Windows().Pump();
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(watcher.texture->assigned.empty());
    EXPECT_TRUE(watcher.notices.empty());
}

TEST_F(MaterialEditorHostTest, WithoutAChooserRequestsAreDropped) {
    PostRequest(1, TextureParam());
    Windows().Pump();
    EXPECT_TRUE(watcher.texture->assigned.empty());
    EXPECT_FALSE(host.ChooseSubTexture(watcher.texture, 1));
}

}  // namespace
