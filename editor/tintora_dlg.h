#pragma once

// TintoraDlg: the editor of one TintoraMap inside the host's material editor.

#include "host/ui.h"

class TintoraMap;

class TintoraDlg : public ParamEditor {
public:
    TintoraDlg(HWND editorWindow, IMtlEditorHost* params, TintoraMap* map);

    Class_ID ClassID() override;
    void SetEditedMap(ReferenceTarget* texture) override;
    ReferenceTarget* GetEditedMap() override;
    void ChangeTime(TimeValue t) override;
    void Reload() override;
    void DeleteThis() override;
    void Activate(BOOL on) override;

    /// The texture changed: unless the change comes from this editor's own
    /// message handling, reload the controls at the next paint.
    void TextureChanged();
    /// Shows the texture's current values in every control.
    void Refresh();
    /// Labels the twelve sub-texture buttons after the slots' contents.
    void UpdateButtonLabels();

    /// Handles every message of the parameter rollup.
    INT_PTR PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    /// The parameter rollup's window procedure: finds the editor through the
    /// window's user data and runs PanelProc with `inHandler` set.
    static INT_PTR PanelThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    /// The ids and parameter of one spinner binding, in binding order.
    struct SpinnerBinding {
        ISpinnerControl* TintoraDlg::*field;
        int spinnerId;
        int editId;
        float initialValue;
        int param;
        ISpinnerControl* TintoraDlg::*mirror;  ///< the other spinner of the same parameter
    };
    static const SpinnerBinding spinnerBindings[16];

private:
    ~TintoraDlg() override;

    void SetupControls(HWND window);
    void Command(HWND window, int id, int code);
    void SpinnerChanged(int spinnerId);
    void SwatchChanged(int complete);
    void ResetCommand(HWND window);

    HWND editorWindow;
    IMtlEditorHost* params;
    HWND paramPanel = nullptr;
    HWND aboutPanel = nullptr;
    TimeValue curTime = 0;
    int inHandler = 0;
    int valid = 0;
    IColorSwatch* sourceSwatch = nullptr;
    TintoraMap* map;
    ISpinnerControl* basicHueSpin = nullptr;
    ISpinnerControl* basicSatSpin = nullptr;
    ISpinnerControl* brightnessSpin = nullptr;
    ISpinnerControl* contrastSpin = nullptr;
    ISpinnerControl* hueOffsetSpin = nullptr;
    ISpinnerControl* hueGainSpin = nullptr;
    ISpinnerControl* satOffsetSpin = nullptr;
    ISpinnerControl* satGainSpin = nullptr;
    ISpinnerControl* valOffsetSpin = nullptr;
    ISpinnerControl* valGainSpin = nullptr;
    ISpinnerControl* rOffsetSpin = nullptr;
    ISpinnerControl* rGainSpin = nullptr;
    ISpinnerControl* gOffsetSpin = nullptr;
    ISpinnerControl* gGainSpin = nullptr;
    ISpinnerControl* bOffsetSpin = nullptr;
    ISpinnerControl* bGainSpin = nullptr;
};
