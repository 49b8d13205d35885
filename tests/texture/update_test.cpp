// Update and Validity: the evaluation cache against the studio's parameter block.

#include <gtest/gtest.h>

#include "host/hold.h"
#include "studio/core/param_block.h"
#include "studio/core/undo_stack.h"
#include "test_textures.h"

namespace {

struct ScaleCase {
    std::vector<std::pair<int, float>> stored;  // parameter, stored value
    float TintoraCache::*field;
    float cached;
};

TEST(Update, ConvertsToWorkingUnits) {
    const ScaleCase cases[] = {
        {{{PB_HUE_OFFSET, 360}}, &TintoraCache::hueOffset, 1.0f},
        {{{PB_HUE_OFFSET, 180}}, &TintoraCache::hueOffset, 0.5f},
        {{{PB_HUE_GAIN, -90}}, &TintoraCache::hueGain, -0.25f},
        {{{PB_SAT_GAIN, 100}}, &TintoraCache::satGain, 1.0f},
        {{{PB_VAL_OFFSET, -50}}, &TintoraCache::valOffset, -0.5f},
        {{{PB_CONTRAST, 100}}, &TintoraCache::contrast, 1.0f},
        {{{PB_CONTRAST, 100}, {PB_INVERT, 1}}, &TintoraCache::contrast, -1.0f},
        {{{PB_CONTRAST, -50}, {PB_INVERT, 1}}, &TintoraCache::contrast, 0.5f},
        {{{PB_BRIGHTNESS, 250}}, &TintoraCache::brightness, 2.5f},
        {{{PB_B_GAIN, 1e30f}}, &TintoraCache::bGain, 1e30f * 0.01f},
    };
    for (const ScaleCase& c : cases) {
        auto map = NewTintora();
        for (auto [param, value] : c.stored) {
            if (param == PB_INVERT)
                map->ParamBlock()->SetValue(param, 0, int(value));
            else
                map->ParamBlock()->SetValue(param, 0, value);
        }
        Interval valid = WHOLE_INTERVAL;
        map->Update(0, valid);
        EXPECT_EQ(map->Cache().*c.field, c.cached) << c.stored[0].first;
    }
}

TEST(Update, ClampsSourceColorAndKeepsIntsAsStored) {
    auto map = NewTintora();
    map->ParamBlock()->SetValue(PB_SOURCE_COLOR, 0, Color(1.5f, -0.25f, 0.5f));
    map->ParamBlock()->SetValue(PB_R_SOURCE, 0, 7);
    map->ParamBlock()->SetValue(PB_COLORIZE, 0, 1);
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    const TintoraCache cache = map->Cache();
    EXPECT_EQ(cache.sourceColor, Color(1.0f, 0.0f, 0.5f));
    EXPECT_EQ(cache.rSource, 7);
    EXPECT_EQ(cache.colorize, 1);
}

// With nothing animated the cache holds for all time: a later Update at any
// time reads nothing and visits no sub-texture, but still narrows `valid`.
TEST(Update, InsideCacheIntervalReadsNothing) {
    CallLog log;
    auto map = NewTintora();
    auto* sub = new FixedTexmap("sub", &log);
    map->SetSubTexmap(MAP_VAL_GAIN, sub);

    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    EXPECT_EQ(log, CallLog{"sub.update"});
    EXPECT_EQ(map->Cache().cacheInterval, WHOLE_INTERVAL);

    const TintoraCache before = map->Cache();
    Interval narrow(10, 20);
    map->Update(123456, narrow);
    EXPECT_EQ(log, CallLog{"sub.update"});
    EXPECT_EQ(narrow, Interval(10, 20));
    EXPECT_EQ(map->Cache().hueGain, before.hueGain);
}

TEST(Update, SubTextureValidityNarrowsCache) {
    auto map = NewTintora();
    auto* sub = new FixedTexmap("sub");
    sub->validity = Interval(-5, 5);
    map->SetSubTexmap(MAP_SOURCE, sub);
    Interval valid(0, 100);
    map->Update(0, valid);
    EXPECT_EQ(map->Cache().cacheInterval, Interval(-5, 5));
    EXPECT_EQ(valid, Interval(0, 5));
}

// After construction, a reset, a clone or a change message, the next Update
// reads everything again, whatever the time.
TEST(Update, EmptyCacheRereadsEverything) {
    CallLog log;
    auto map = NewTintora();
    map->SetSubTexmap(MAP_SOURCE, new FixedTexmap("src", &log));
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);

    PartID part = 0;
    map->OnReferenceMessage(WHOLE_INTERVAL, nullptr, part, 80);
    map->Update(7, valid);
    map->ResetToDefaults();
    map->Update(7, valid);
    EXPECT_EQ(log, (CallLog{"src.update", "src.update", "src.update"}));
}

TEST(Update, ParameterWriteReachesCacheThroughChangeMessage) {
    auto map = NewTintora();
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    map->ParamBlock()->SetValue(PB_BRIGHTNESS, 0, 50.0f);
    EXPECT_TRUE(map->Cache().cacheInterval.Empty());
    map->Update(0, valid);
    EXPECT_EQ(map->Cache().brightness, 0.5f);
}

TEST(Update, ValidityReturnsCacheIntervalItself) {
    auto map = NewTintora();
    auto* sub = new FixedTexmap("sub");
    sub->validity = Interval(3, 9);
    map->SetSubTexmap(MAP_R_GAIN, sub);
    EXPECT_EQ(map->Validity(4), Interval(3, 9));
    EXPECT_EQ(map->Validity(100), Interval(3, 9)) << "the cache is re-read outside";
}

// Keys at 0 and 100: the cache holds for a span where nothing changes and
// for the instant in between, and reads interpolated values.
TEST(Update, AnimatedParameterNarrowsCache) {
    auto map = NewTintora();
    studio::SetAutoKey(true);
    map->ParamBlock()->SetValue(PB_BRIGHTNESS, 0, 0.0f);
    map->ParamBlock()->SetValue(PB_BRIGHTNESS, 100, 100.0f);
    studio::SetAutoKey(false);

    Interval valid = WHOLE_INTERVAL;
    map->Update(50, valid);
    EXPECT_EQ(map->Cache().cacheInterval, Interval(50, 50));
    EXPECT_EQ(valid, Interval(50, 50));
    EXPECT_EQ(map->Cache().brightness, 0.5f);

    map->Update(150, valid);
    EXPECT_TRUE(map->Cache().cacheInterval.InInterval(150));
    EXPECT_FALSE(map->Cache().cacheInterval.InInterval(99));
    EXPECT_EQ(map->Cache().brightness, 1.0f);

    map->Update(-20, valid);
    EXPECT_TRUE(map->Cache().cacheInterval.InInterval(-1000));
    EXPECT_FALSE(map->Cache().cacheInterval.InInterval(1));
    EXPECT_EQ(map->Cache().brightness, 0.0f);
}

TEST(Update, UndoOfParameterWriteReachesCache) {
    auto map = NewTintora();
    theHold.Begin();
    map->ParamBlock()->SetValue(PB_CONTRAST, 0, 40.0f);
    theHold.Accept("Parameter Change");
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    EXPECT_EQ(map->Cache().contrast, 40.0f * 0.01f);

    ASSERT_TRUE(studio::TheUndoStack().Undo());
    map->Update(0, valid);
    EXPECT_EQ(map->Cache().contrast, 1.0f);
    ASSERT_TRUE(studio::TheUndoStack().Redo());
    map->Update(0, valid);
    EXPECT_EQ(map->Cache().contrast, 40.0f * 0.01f);
    studio::TheUndoStack().Clear();
}

// A parameter block that logs every write, to see the order of a reset's
// default writes.
class LoggingBlock : public studio::ParamBlock {
public:
    LoggingBlock(const ParamBlockDescID* desc, int count, DWORD blockVersion, CallLog* calls)
        : ParamBlock(desc, count, blockVersion), log(calls) {}
    BOOL SetValue(int i, TimeValue t, float v) override {
        log->push_back("float " + std::to_string(i) + "@" + std::to_string(t));
        return ParamBlock::SetValue(i, t, v);
    }
    BOOL SetValue(int i, TimeValue t, int v) override {
        log->push_back("int " + std::to_string(i) + "@" + std::to_string(t));
        return ParamBlock::SetValue(i, t, v);
    }
    BOOL SetValue(int i, TimeValue t, Color v) override {
        log->push_back("color " + std::to_string(i) + "@" + std::to_string(t));
        return ParamBlock::SetValue(i, t, v);
    }

private:
    CallLog* log;
};

TEST(Reset, WritesDefaultsInOrderAtTimeZero) {
    CallLog log;
    studio::SetParameterBlockFactory([&](const ParamBlockDescID* desc, int count, DWORD blockVersion) {
        EXPECT_EQ(desc, TintoraParamDesc);
        EXPECT_EQ(count, 21);
        EXPECT_EQ(blockVersion, 1u);
        return new LoggingBlock(desc, count, blockVersion, &log);
    });
    auto map = NewTintora();
    studio::SetParameterBlockFactory(nullptr);

    const CallLog expected = {
        "color 20@0",  "float 2@0",  "float 4@0",  "float 6@0",  "float 3@0",  "float 5@0",
        "float 7@0",   "float 8@0",  "float 10@0", "float 12@0", "float 9@0",  "float 11@0",
        "float 13@0",  "float 0@0",  "float 1@0",  "int 17@0",   "int 18@0",   "int 19@0",
        "int 14@0",    "int 15@0",   "int 16@0"};
    EXPECT_EQ(log, expected);
}

}  // namespace
