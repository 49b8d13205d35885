#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "host/mtl_base.h"
#include "studio/core/stream_values.h"
#include "studio/core/streams.h"

namespace {

using studio::Bytes;
using studio::MemoryLoad;
using studio::MemorySave;

// outer 0x100 { data 7, inner 0x200 { "hello" }, inner 0x300 { float 1.5 } }, then 0x400 {}
Bytes Sample() {
    MemorySave out;
    out.StartChunk(0x100);
    studio::WriteI32(out, 7);
    out.StartChunk(0x200);
    out.WriteString("hello");
    out.FinishChunk();
    out.StartChunk(0x300);
    studio::WriteFloat(out, 1.5f);
    out.FinishChunk();
    out.FinishChunk();
    out.StartChunk(0x400);
    out.FinishChunk();
    EXPECT_TRUE(out.Good());
    EXPECT_EQ(out.OpenChunks(), 0u);
    return out.Data();
}

TEST(Streams, EncodingIsLittleEndianIdThenLength) {
    MemorySave out;
    out.StartChunk(0x4000);
    studio::WriteU16(out, 0xBEEF);
    out.FinishChunk();
    EXPECT_EQ(out.Data(), (Bytes{0x00, 0x40, 2, 0, 0, 0, 0xEF, 0xBE}));
}

TEST(Streams, NestedChunksRoundTrip) {
    MemoryLoad in(Sample());
    ASSERT_EQ(in.EnterChunk(), IO_OK);
    EXPECT_EQ(in.ChunkId(), 0x100);
    std::int32_t seven = 0;
    ASSERT_EQ(studio::ReadI32(in, seven), IO_OK);
    EXPECT_EQ(seven, 7);
    ASSERT_EQ(in.EnterChunk(), IO_OK);
    EXPECT_EQ(in.ChunkId(), 0x200);
    CStr text;
    ASSERT_EQ(in.ReadString(text), IO_OK);
    EXPECT_EQ(text, "hello");
    EXPECT_EQ(in.Read(&seven, 1), IO_ERROR);  // nothing left in this chunk
    ASSERT_EQ(in.LeaveChunk(), IO_OK);
    EXPECT_EQ(in.ChunkId(), 0x100);
    ASSERT_EQ(in.EnterChunk(), IO_OK);
    float f = 0;
    ASSERT_EQ(studio::ReadFloat(in, f), IO_OK);
    EXPECT_EQ(f, 1.5f);
    ASSERT_EQ(in.LeaveChunk(), IO_OK);
    EXPECT_EQ(in.EnterChunk(), IO_END);
    ASSERT_EQ(in.LeaveChunk(), IO_OK);
    ASSERT_EQ(in.EnterChunk(), IO_OK);
    EXPECT_EQ(in.ChunkId(), 0x400);
    EXPECT_EQ(in.EnterChunk(), IO_END);  // empty chunk
    ASSERT_EQ(in.LeaveChunk(), IO_OK);
    EXPECT_EQ(in.EnterChunk(), IO_END);
    EXPECT_EQ(in.LeaveChunk(), IO_ERROR);  // nothing open
}

TEST(Streams, LeaveChunkSkipsWhatWasNotRead) {
    MemoryLoad in(Sample());
    ASSERT_EQ(in.EnterChunk(), IO_OK);
    ASSERT_EQ(in.LeaveChunk(), IO_OK);
    ASSERT_EQ(in.EnterChunk(), IO_OK);
    EXPECT_EQ(in.ChunkId(), 0x400);
}

// Every truncation of a valid stream is walked safely: an error or a clean
// end, never a read past the data.
TEST(Streams, TruncatedStreamsAreReportedNotOverread) {
    const Bytes whole = Sample();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        MemoryLoad in(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(size)));
        int depth = 0;
        bool failed = false;
        for (int steps = 0; steps < 100; ++steps) {
            const IOResult r = in.EnterChunk();
            if (r == IO_ERROR) {
                failed = true;
                break;
            }
            if (r == IO_END) {
                if (depth == 0)
                    break;
                in.LeaveChunk();
                --depth;
            } else {
                ++depth;
            }
            EXPECT_LE(in.Position(), size);
        }
        // Only the cut right after the first top-level chunk reads cleanly.
        EXPECT_TRUE(failed || size == whole.size() - 6 || size == 0) << size;
    }
}

TEST(Streams, BadLengthsAreErrors) {
    struct Case {
        Bytes bytes;
        const char* what;
    };
    const Case cases[] = {
        {{0x01, 0x00, 0xff, 0xff, 0xff, 0xff}, "length far past the end"},
        {{0x01, 0x00, 0x01, 0x00, 0x00, 0x00}, "one byte missing"},
        {{0x01, 0x00}, "header cut short"},
        // outer chunk of 8 bytes holding an inner chunk that claims 9
        {{0x01, 0x00, 8, 0, 0, 0, 0x02, 0x00, 9, 0, 0, 0, 1, 2, 0, 0, 0}, "inner past outer"},
    };
    for (const Case& c : cases) {
        MemoryLoad in(c.bytes);
        IOResult r = in.EnterChunk();
        if (r == IO_OK)
            r = in.EnterChunk();
        EXPECT_EQ(r, IO_ERROR) << c.what;
    }
}

TEST(Streams, StringsAreBoundedAndChecked) {
    MemorySave out;
    EXPECT_EQ(out.WriteString(std::string(studio::kMaxStringLength + 1, 'x').c_str()), IO_ERROR);
    EXPECT_FALSE(out.Good());

    MemorySave ok;
    ok.WriteString("");
    ok.WriteString(nullptr);
    MemoryLoad in(ok.Data());
    CStr text("before");
    ASSERT_EQ(in.ReadString(text), IO_OK);
    EXPECT_EQ(text, "");
    ASSERT_EQ(in.ReadString(text), IO_OK);

    const Bytes claimsTooMuch = {5, 0, 0, 0, 'a', 'b'};
    MemoryLoad cut(claimsTooMuch);
    text = "kept";
    EXPECT_EQ(cut.ReadString(text), IO_ERROR);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(cut.Position(), 0u);
    const Bytes huge = {0, 0, 0, 0x40};
    MemoryLoad big(huge);
    EXPECT_EQ(big.ReadString(text), IO_ERROR);
}

TEST(Streams, FinishWithoutStartMarksTheStreamFailed) {
    MemorySave out;
    out.FinishChunk();
    EXPECT_FALSE(out.Good());
}

TEST(Streams, FilesRoundTripAndAFailedSaveKeepsTheOldFile) {
    const auto dir = std::filesystem::temp_directory_path() / "tintora_core_stream_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "a.bin").string();
    {
        studio::FileSave out(path);
        out.StartChunk(0x10);
        out.WriteString("file");
        out.FinishChunk();
        ASSERT_EQ(out.Commit(), IO_OK) << out.Error();
    }
    {
        studio::FileSave unfinished(path);
        unfinished.StartChunk(0x20);
        EXPECT_EQ(unfinished.Commit(), IO_ERROR);
        EXPECT_NE(unfinished.Error().find(path), std::string::npos);
    }
    studio::FileLoad in(path);
    ASSERT_TRUE(in.IsOpen());
    ASSERT_EQ(in.EnterChunk(), IO_OK);
    EXPECT_EQ(in.ChunkId(), 0x10);
    CStr text;
    ASSERT_EQ(in.ReadString(text), IO_OK);
    EXPECT_EQ(text, "file");

    studio::FileLoad missing((dir / "none.bin").string());
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_NE(missing.Error().find("none.bin"), std::string::npos);
    EXPECT_EQ(missing.EnterChunk(), IO_END);
    std::filesystem::remove_all(dir);
}

// ---- MtlBase ----

class Plain : public Texmap {
public:
    void FillClassName(CStr& n) override { n = "Plain"; }
    ColorRGBA EvaluateColor(ShadingContext&) override { return {0.3f, 0.6f, 0.9f, 1.0f}; }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override {
        return REF_SUCCEED;
    }
    CStr GetSubTexmapSlotName(int i) override { return i == 0 ? CStr("Source") : CStr(); }
};

class NullContext : public ShadingContext {
public:
    TimeValue CurTime() const override { return 0; }
    Point2 UV() const override { return {}; }
    Vector3 P() const override { return {}; }
    void SetShadeTag(int) override {}
};

TEST(MtlBaseData, NamesAndDefaults) {
    Plain map;
    EXPECT_EQ(map.GetFullName(), "Plain");
    map.SetName("Rust");
    EXPECT_EQ(map.GetFullName(), "Rust (Plain)");
    EXPECT_EQ(map.GetSubTexmapTVName(0), "Source");
    EXPECT_EQ(map.SuperClassCode(), TEXMAP_CLASS_ID);
    NullContext sc;
    EXPECT_FLOAT_EQ(map.EvaluateMono(sc), 0.6f);

    Plain copy;
    copy.SetShadeTag(3);
    map.SetShadeTag(9);
    copy = map;
    EXPECT_EQ(copy.GetName(), "Rust");
    EXPECT_EQ(copy.ShadeTag(), 9);
}

TEST(MtlBaseData, SavesAndLoadsInsideTheCallersChunkSkippingUnknownParts) {
    Plain map;
    map.SetName("Brushed steel");
    map.SetShadeTag(-12);
    MemorySave out;
    out.StartChunk(0x4000);
    ASSERT_EQ(map.Save(&out), IO_OK);
    out.StartChunk(0x7777);  // something a later version might add
    studio::WriteI32(out, 1);
    out.FinishChunk();
    out.FinishChunk();

    Plain loaded;
    MemoryLoad in(out.Data());
    ASSERT_EQ(in.EnterChunk(), IO_OK);
    ASSERT_EQ(loaded.Load(&in), IO_OK);
    EXPECT_EQ(loaded.GetName(), "Brushed steel");
    EXPECT_EQ(loaded.ShadeTag(), -12);
    EXPECT_EQ(in.LeaveChunk(), IO_OK);

    // A damaged name is reported.
    Bytes bad = out.Data();
    bad[6 + 6] = 0xff;  // the name's length field
    bad[6 + 6 + 3] = 0x7f;
    Plain broken;
    MemoryLoad damaged(bad);
    ASSERT_EQ(damaged.EnterChunk(), IO_OK);
    EXPECT_EQ(broken.Load(&damaged), IO_ERROR);
}

}  // namespace

namespace {

// A save stream whose writes all fail.
class FailingSave : public studio::MemorySave {
public:
    IOResult Write(const void*, std::size_t) override { return IO_ERROR; }
    IOResult WriteString(const char*) override { return IO_ERROR; }
};

TEST(MtlBaseData, AFailedWriteIsAnsweredAtOnce) {
    Plain map;
    FailingSave out;
    EXPECT_EQ(map.Save(&out), IO_ERROR);
    EXPECT_EQ(out.OpenChunks(), 1u);  // stopped inside the name, wrote no more
}

}  // namespace
