#pragma once

// Shared pieces of the user-interface tests: the test module's resources,
// a dialog procedure that records what reaches it, and a rollup fixture.

#include <gtest/gtest.h>

#include <vector>

#include "host/resources.h"
#include "host/win32.h"

extern "C" const ResourceTable ModuleResources;

namespace uitest {

/// The instance handle the test module's resources are registered under.
HINSTANCE TestInstance();
/// Registers the resources and the custom controls (idempotent).
void PrepareTestModule();

struct Note {
    UINT message;
    UINT id;    // low word of wParam
    UINT high;  // high word of wParam
    bool operator==(const Note&) const = default;
};
void PrintTo(const Note& note, std::ostream* out);

/// Everything RecordingProc received, in order.
std::vector<Note>& Recorded();
/// The lParam of each message RecordingProc received.
std::vector<LPARAM>& RecordedLParams();
/// Records every message; answers 1 to 272, 0 to the rest.
INT_PTR RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/// Template 102 built with RecordingProc; the record starts empty.
class RollupTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    HWND Item(int id) const { return GetDlgItem(dialog, id); }

    HWND dialog = nullptr;
};

}  // namespace uitest
