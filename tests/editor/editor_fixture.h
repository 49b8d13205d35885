#pragma once

// An editor on a real texture inside the studio's headless material editor.

#include <gtest/gtest.h>

#include <string>

#include "editor/tintora_dlg.h"
#include "studio/ui/material_editor_host.h"
#include "test_textures.h"

class EditorTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Panel() const;
    HWND Control(int id) const;
    std::string Text(int id) const;
    float SpinnerValue(int spinnerId) const;
    float FloatParam(int param, TimeValue t = 0) const;
    int IntParam(int param) const;
    Color ColorParam() const;
    std::vector<std::string> UndoNames() const;
    /// Every message delivered by the window layer's pump.
    int Pump() const;

    studio::MaterialEditorHost host;
    TintoraPtr map;
    TintoraDlg* dlg = nullptr;
};
