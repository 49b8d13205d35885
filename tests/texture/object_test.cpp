// The texture object: identity, references, slots, messages, resets, clone.

#include <gtest/gtest.h>

#include "test_textures.h"
#include "texture/tintora_class.h"

namespace {

TEST(TintoraObject, Identity) {
    auto map = NewTintora();
    CStr name;
    map->FillClassName(name);
    EXPECT_EQ(name, "Tintora");
    EXPECT_EQ(map->ClassID(), Class_ID(0x57EE53DC, 0x134F5A34));
    EXPECT_EQ(map->SuperClassCode(), 3088u);
}

TEST(TintoraObject, NewTextureHasBlockAndEmptySlots) {
    auto map = NewTintora();
    EXPECT_EQ(map->NumRefs(), 13);
    EXPECT_EQ(map->SubAnimCount(), 13);
    EXPECT_EQ(map->SubTexmapCount(), 12);
    ASSERT_NE(map->ParamBlock(), nullptr);
    EXPECT_EQ(map->GetReference(0), map->ParamBlock());
    for (int i = 0; i <= 12; ++i) {
        EXPECT_EQ(map->GetSubAnim(i), map->GetReference(i)) << i;
        EXPECT_EQ(map->SubAnimToRef(i), i);
        if (i > 0) {
            EXPECT_EQ(map->GetReference(i), nullptr) << i;
        }
    }
    EXPECT_TRUE(map->Cache().cacheInterval.Empty());
    EXPECT_EQ(map->editor, nullptr);
}

TEST(TintoraObject, NamesOfSlotsAndSubAnims) {
    auto map = NewTintora();
    const char* slots[] = {"Tora Source",   "Tora Sat Offset", "Tora Val Offset", "Tora Hue Gain",
                           "Tora Sat Gain", "Tora Val Gain",   "Tora R Offset",   "Tora G Offset",
                           "Tora B Offset", "Tora R Gain",     "Tora G Gain",     "Tora B Gain"};
    for (int slot = 0; slot < 12; ++slot) {
        EXPECT_EQ(map->GetSubTexmapSlotName(slot), slots[slot]);
        EXPECT_EQ(map->SubAnimName(slot + 1), map->GetSubTexmapTVName(slot));
    }
    EXPECT_EQ(map->SubAnimName(0), "Off be");
    for (int bad : {-1, 12, 13, 1000}) EXPECT_EQ(map->GetSubTexmapSlotName(bad), "") << bad;
}

// Indices outside the tables answer null or "" and change nothing.
TEST(TintoraObject, IndicesOutOfRangeAreHarmless) {
    auto map = NewTintora();
    auto* sub = new FixedTexmap("sub");
    for (int bad : {-1, 13, 99}) {
        EXPECT_EQ(map->GetReference(bad), nullptr);
        EXPECT_EQ(map->GetSubAnim(bad), nullptr);
        EXPECT_EQ(map->SubAnimName(bad), "");
        map->SetReference(bad, sub);
    }
    for (int bad : {-1, 12, 99}) {
        EXPECT_EQ(map->GetSubTexmap(bad), nullptr);
        map->SetSubTexmap(bad, sub);
    }
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(map->GetReference(i), nullptr);
    sub->DeleteThis();
}

// A maker that depends on a texture and logs the messages it hears.
class Listener : public ReferenceMaker {
public:
    explicit Listener(ReferenceTarget* watched) { ReplaceReference(0, watched, 0); }
    ~Listener() override { ReplaceReference(0, nullptr, 0); }
    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int) override { return target; }
    void SetReference(int, RefTargetHandle t) override { target = t; }
    RefResult OnReferenceMessage(Interval change, RefTargetHandle sender, PartID& part,
                                 RefMessage message) override {
        heard.push_back({change, sender, part, message});
        return REF_SUCCEED;
    }
    struct Heard {
        Interval change;
        RefTargetHandle sender;
        PartID part;
        RefMessage message;
    };
    std::vector<Heard> heard;
    RefTargetHandle target = nullptr;
};

TEST(TintoraObject, SetReferenceStoresOnly) {
    auto map = NewTintora();
    Listener listener(map.get());
    auto* sub = new FixedTexmap("sub");
    map->SetReference(5, sub);
    EXPECT_EQ(map->GetSubTexmap(4), sub);
    EXPECT_EQ(map->GetSubAnim(5), sub);
    EXPECT_TRUE(listener.heard.empty());
    map->SetReference(5, nullptr);
    sub->DeleteThis();
}

TEST(TintoraObject, SetSubTexmapGoesThroughReferenceSystem) {
    auto map = NewTintora();
    Listener listener(map.get());
    auto* sub = new FixedTexmap("sub");
    map->SetSubTexmap(4, sub);
    EXPECT_EQ(map->GetReference(5), sub);
    ASSERT_EQ(sub->Dependents().size(), 1u);
    EXPECT_EQ(sub->Dependents()[0], map.get());
    EXPECT_TRUE(listener.heard.empty()) << "no change notice of its own";
}

TEST(TintoraObject, NotifyChangedSendsChangeToDependents) {
    auto map = NewTintora();
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    Listener listener(map.get());
    map->NotifyChanged();
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_EQ(listener.heard[0].change, WHOLE_INTERVAL);
    EXPECT_EQ(listener.heard[0].sender, map.get());
    EXPECT_EQ(listener.heard[0].part, PartID(0x9ff));
    EXPECT_EQ(listener.heard[0].message, 80u);
    EXPECT_FALSE(map->Cache().cacheInterval.Empty()) << "the notice leaves the own cache alone";
}

TEST(TintoraObject, ChangeMessageEmptiesCache) {
    auto map = NewTintora();
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    PartID part = 0;
    EXPECT_EQ(map->OnReferenceMessage(WHOLE_INTERVAL, nullptr, part, 81), 1);
    EXPECT_FALSE(map->Cache().cacheInterval.Empty());
    EXPECT_EQ(map->OnReferenceMessage(WHOLE_INTERVAL, nullptr, part, 80), 1);
    EXPECT_TRUE(map->Cache().cacheInterval.Empty());
}

TEST(TintoraObject, ParameterNameQueries) {
    auto map = NewTintora();
    const struct {
        int index;
        const char* name;  // null: left unchanged
    } cases[] = {{0, "Brightness"}, {1, "Contrast"},   {2, "Hue Offset"}, {3, "Hue Gain"},
                 {13, "B Gain"},    {14, nullptr},     {15, nullptr},     {16, nullptr},
                 {17, "Invert"},    {18, "Monochrome"}, {19, "Colorize"}, {20, "Source Color"},
                 {21, nullptr},     {-1, nullptr},     {1 << 30, nullptr}};
    for (const auto& c : cases) {
        ParamNameQuery query{CStr("unchanged"), c.index};
        PartID part = reinterpret_cast<PartID>(&query);
        EXPECT_EQ(map->OnReferenceMessage(WHOLE_INTERVAL, nullptr, part, 251), 3);
        EXPECT_EQ(query.name, c.name ? c.name : "unchanged") << c.index;
    }
}

TEST(TintoraObject, ParameterDimensionQueries) {
    auto map = NewTintora();
    ParamDimension untouched;
    for (int index = -2; index <= 22; ++index) {
        ParamDimQuery query{&untouched, index};
        PartID part = reinterpret_cast<PartID>(&query);
        EXPECT_EQ(map->OnReferenceMessage(WHOLE_INTERVAL, nullptr, part, 252), 3);
        ParamDimension* expected = &untouched;
        if (index == 20) expected = stdColor255Dim;
        else if ((index >= 0 && index <= 13) || (index >= 17 && index <= 19)) expected = defaultDim;
        EXPECT_EQ(query.dim, expected) << index;
    }
}

float FloatAt(IParamBlock* pb, int param, TimeValue t = 0) {
    float v = 0;
    Interval valid = WHOLE_INTERVAL;
    pb->GetValue(param, t, v, valid);
    return v;
}
int IntAt(IParamBlock* pb, int param) {
    int v = 0;
    Interval valid = WHOLE_INTERVAL;
    pb->GetValue(param, 0, v, valid);
    return v;
}
Color ColorAt(IParamBlock* pb) {
    Color v;
    Interval valid = WHOLE_INTERVAL;
    pb->GetValue(PB_SOURCE_COLOR, 0, v, valid);
    return v;
}

void ExpectDefaults(IParamBlock* pb) {
    ASSERT_EQ(pb->NumParams(), 21);
    const float floats[] = {0, 100, 0, 0, 0, 100, 0, 100, 0, 100, 0, 100, 0, 100};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(pb->GetParameterType(i), TYPE_FLOAT);
        EXPECT_EQ(FloatAt(pb, i), floats[i]) << i;
    }
    EXPECT_EQ(IntAt(pb, PB_R_SOURCE), 0);
    EXPECT_EQ(IntAt(pb, PB_G_SOURCE), 1);
    EXPECT_EQ(IntAt(pb, PB_B_SOURCE), 2);
    for (int flag : {PB_INVERT, PB_MONO, PB_COLORIZE}) {
        EXPECT_EQ(pb->GetParameterType(flag), TYPE_BOOL);
        EXPECT_EQ(IntAt(pb, flag), 0);
    }
    EXPECT_EQ(ColorAt(pb), Color(1, 0, 0));
}

TEST(TintoraObject, NewTextureHoldsDefaults) { ExpectDefaults(NewTintora()->ParamBlock()); }

TEST(TintoraObject, DescriptorTable) {
    for (int i = 0; i < 21; ++i) {
        const ParamBlockDescID& d = TintoraParamDesc[i];
        EXPECT_EQ(d.id, DWORD(i));
        EXPECT_EQ(d.user, nullptr);
        EXPECT_EQ(d.animatable, (i < 14 || i == 20) ? 1 : 0) << i;
    }
    EXPECT_EQ(TintoraParamDesc[PB_R_SOURCE].type, TYPE_INT);
    EXPECT_EQ(TintoraParamDesc[PB_MONO].type, TYPE_BOOL);
    EXPECT_EQ(TintoraParamDesc[PB_SOURCE_COLOR].type, TYPE_RGBA);
}

void FillSlots(TintoraMap& map) {
    for (int slot = 0; slot < 12; ++slot) map.SetSubTexmap(slot, new FixedTexmap("m"));
}

TEST(TintoraObject, ResetToDefaultsKeepsSource) {
    auto map = NewTintora();
    FillSlots(*map);
    Texmap* source = map->GetSubTexmap(MAP_SOURCE);
    IParamBlock* oldBlock = map->ParamBlock();
    map->ParamBlock()->SetValue(PB_CONTRAST, 0, 5.0f);
    map->ParamBlock()->SetValue(PB_MONO, 0, 1);
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);

    map->ResetToDefaults();
    EXPECT_NE(map->ParamBlock(), oldBlock);
    EXPECT_EQ(map->GetSubTexmap(MAP_SOURCE), source);
    for (int slot = 1; slot < 12; ++slot) EXPECT_EQ(map->GetSubTexmap(slot), nullptr);
    EXPECT_TRUE(map->Cache().cacheInterval.Empty());
    ExpectDefaults(map->ParamBlock());

    map->ResetAll();
    EXPECT_EQ(map->GetSubTexmap(MAP_SOURCE), nullptr);
    ExpectDefaults(map->ParamBlock());
}

// Records the reference calls a reset makes, in order.
class RecordingTintora : public TintoraMap {
public:
    void SetReference(int i, RefTargetHandle target) override {
        calls.push_back(std::to_string(i) + (target ? "=set" : "=none"));
        TintoraMap::SetReference(i, target);
    }
    std::vector<std::string> calls;
};

TEST(TintoraObject, ResetsDropReferencesInOrder) {
    TintoraPtr owner(new RecordingTintora());
    auto& map = static_cast<RecordingTintora&>(*owner);
    FillSlots(map);
    map.calls.clear();
    map.ResetToDefaults();
    std::vector<std::string> expected = {"0=set"};
    for (int ref = 2; ref <= 12; ++ref) expected.push_back(std::to_string(ref) + "=none");
    EXPECT_EQ(map.calls, expected);

    map.calls.clear();
    map.ResetAll();
    expected.insert(expected.begin(), "1=none");
    EXPECT_EQ(map.calls, expected);
}

TEST(TintoraObject, CloneCopiesSlotsAndBlock) {
    auto map = NewTintora();
    map->SetName("original");
    map->SetSubTexmap(0, new FixedTexmap("src"));
    map->SetSubTexmap(5, new FixedTexmap("val"));
    map->ParamBlock()->SetValue(PB_BRIGHTNESS, 0, 42.0f);
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);

    struct OnceRemap : RemapDir {
        RefTargetHandle CloneTarget(RefTargetHandle t) override {
            return t ? t->Clone(*this) : nullptr;
        }
    } remap;
    TintoraPtr copy(static_cast<TintoraMap*>(map->Clone(remap)));
    EXPECT_EQ(copy->GetName(), "original");
    EXPECT_EQ(copy->editor, nullptr);
    EXPECT_TRUE(copy->Cache().cacheInterval.Empty());
    EXPECT_NE(copy->ParamBlock(), map->ParamBlock());
    EXPECT_EQ(FloatAt(copy->ParamBlock(), PB_BRIGHTNESS), 42.0f);
    for (int slot = 0; slot < 12; ++slot) {
        if (slot == 0 || slot == 5) {
            auto* sub = dynamic_cast<FixedTexmap*>(copy->GetSubTexmap(slot));
            ASSERT_NE(sub, nullptr);
            EXPECT_NE(sub, map->GetSubTexmap(slot));
            EXPECT_EQ(sub->label, slot == 0 ? "src'" : "val'");
        } else {
            EXPECT_EQ(copy->GetSubTexmap(slot), nullptr) << slot;
        }
    }
    EXPECT_FALSE(map->Cache().cacheInterval.Empty()) << "the original is left as it was";
}

}  // namespace
