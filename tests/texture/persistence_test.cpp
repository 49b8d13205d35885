// Save and Load: the texture's one chunk around the host's base data.

#include <gtest/gtest.h>

#include <deque>

#include "studio/core/streams.h"
#include "test_textures.h"

namespace {

// Records the calls of a save; the base data (written by the host) is kept
// as raw bytes.
class RecordingSave : public ISave {
public:
    void StartChunk(USHORT id) override { calls.push_back("start " + std::to_string(id)); }
    void FinishChunk() override { calls.push_back("finish"); }
    IOResult Write(const void*, std::size_t) override {
        if (failWrites) return IO_ERROR;
        if (calls.empty() || calls.back() != "write") calls.push_back("write");
        return IO_OK;
    }
    IOResult WriteString(const char* text) override { return Write(text, 0); }
    std::vector<std::string> calls;
    bool failWrites = false;
};

// A load stream of top-level chunks whose contents are empty when `readable`
// and damaged otherwise; records what is entered and left.
class ScriptedLoad : public ILoad {
public:
    explicit ScriptedLoad(std::deque<USHORT> chunkIds, bool emptyChunks = false)
        : ids(std::move(chunkIds)), readable(emptyChunks) {}
    IOResult EnterChunk() override {
        ++depth;
        if (depth > 1) {  // inside the base data
            --depth;
            return readable ? IO_END : IO_ERROR;
        }
        if (ids.empty()) { --depth; return IO_END; }
        current = ids.front();
        ids.pop_front();
        calls.push_back("enter " + std::to_string(current));
        return IO_OK;
    }
    USHORT ChunkId() override { return current; }
    IOResult LeaveChunk() override {
        --depth;
        if (depth == 0) calls.push_back("leave");
        return IO_OK;
    }
    IOResult Read(void*, std::size_t) override { return readable ? IO_OK : IO_ERROR; }
    IOResult ReadString(CStr&) override { return readable ? IO_OK : IO_ERROR; }
    std::vector<std::string> calls;

private:
    std::deque<USHORT> ids;
    bool readable;
    USHORT current = 0;
    int depth = 0;
};

TEST(Persistence, SaveWritesOneChunkAroundBaseData) {
    auto map = NewTintora();
    map->SetName("look");
    RecordingSave save;
    EXPECT_EQ(map->Save(&save), IO_OK);
    ASSERT_GE(save.calls.size(), 2u);
    EXPECT_EQ(save.calls.front(), "start 16384");
    EXPECT_EQ(save.calls.back(), "finish");
}

TEST(Persistence, SaveErrorLeavesChunkOpen) {
    auto map = NewTintora();
    map->SetName("look");
    RecordingSave save;
    save.failWrites = true;
    EXPECT_NE(map->Save(&save), IO_OK);
    EXPECT_EQ(save.calls.front(), "start 16384");
    EXPECT_NE(save.calls.back(), "finish");
}

TEST(Persistence, LoadWithNoChunkSucceeds) {
    auto map = NewTintora();
    ScriptedLoad load({});
    EXPECT_EQ(map->Load(&load), IO_OK);
    EXPECT_TRUE(load.calls.empty());
}

TEST(Persistence, LoadSkipsUnknownChunks) {
    auto map = NewTintora();
    ScriptedLoad load({0x1234, 0x5678});  // damaged contents: never read
    EXPECT_EQ(map->Load(&load), IO_OK);
    EXPECT_EQ(load.calls, (std::vector<std::string>{"enter 4660", "leave", "enter 22136", "leave"}));
}

// A base chunk that the host cannot read ends the load after leaving it;
// later chunks are not visited.
TEST(Persistence, LoadStopsAtFailingBaseChunk) {
    auto map = NewTintora();
    ScriptedLoad load({0x4000, 0x4000});
    EXPECT_NE(map->Load(&load), IO_OK);
    EXPECT_EQ(load.calls, (std::vector<std::string>{"enter 16384", "leave"}));
}

TEST(Persistence, RoundTripThroughStudioStreams) {
    auto map = NewTintora();
    map->SetName("warm look");
    map->SetShadeTag(4);
    studio::MemorySave save;
    ASSERT_EQ(map->Save(&save), IO_OK);
    EXPECT_EQ(save.OpenChunks(), 0u);

    auto loaded = NewTintora();
    studio::MemoryLoad load(save.Data());
    EXPECT_EQ(loaded->Load(&load), IO_OK);
    EXPECT_EQ(loaded->GetName(), "warm look");
    EXPECT_EQ(loaded->ShadeTag(), 4);
    EXPECT_TRUE(loaded->Cache().cacheInterval.Empty()) << "loading leaves the cache alone";
}

// Two base chunks are both read, in order: the second one's name stands.
TEST(Persistence, EveryBaseChunkIsRead) {
    studio::MemorySave save;
    auto first = NewTintora();
    first->SetName("first");
    auto second = NewTintora();
    second->SetName("second");
    ASSERT_EQ(first->Save(&save), IO_OK);
    ASSERT_EQ(second->Save(&save), IO_OK);

    auto loaded = NewTintora();
    studio::MemoryLoad load(save.Data());
    EXPECT_EQ(loaded->Load(&load), IO_OK);
    EXPECT_EQ(loaded->GetName(), "second");
}

}  // namespace
