#include "studio/core/assert_record.h"

#include <cstdio>
#include <mutex>

#include "host/assert.h"

namespace studio {
namespace {

struct Record {
    std::mutex lock;
    std::vector<AssertEntry> entries;
};

Record& TheRecord() {
    static Record* const record = new Record;  // usable during static destruction
    return *record;
}

}  // namespace

std::vector<AssertEntry> AssertRecord() {
    Record& record = TheRecord();
    std::lock_guard guard(record.lock);
    return record.entries;
}

void ClearAssertRecord() {
    Record& record = TheRecord();
    std::lock_guard guard(record.lock);
    record.entries.clear();
}

}  // namespace studio

void assert1(int line, const char* file) {
    const char* name = file ? file : "(unknown file)";
    std::fprintf(stderr, "assertion failed: %s, line %d\n", name, line);
    studio::Record& record = studio::TheRecord();
    std::lock_guard guard(record.lock);
    record.entries.push_back({line, name});
}
