#pragma once

// The host's user-interface services: the material editor, custom controls
// and the undo hold.

#include "host/reference.h"
#include "host/win32.h"

/// The editor of a texture inside the material editor.
class ParamEditor {
public:
    virtual Class_ID ClassID() = 0;
    virtual void SetEditedMap(ReferenceTarget* map) = 0;
    virtual ReferenceTarget* GetEditedMap() = 0;
    virtual void ChangeTime(TimeValue t) = 0;
    virtual void Reload() = 0;
    virtual void DeleteThis() = 0;
    virtual void Activate(BOOL on) = 0;

protected:
    virtual ~ParamEditor() = default;
};

/// The material editor's parameters object, handed to CreateEditor.
class IMtlEditorHost {
public:
    virtual ~IMtlEditorHost() = default;
    /// Builds a rollup from template `templateId` of `instance`'s resources.
    /// `proc` receives message 272 with `param` as lParam before this returns.
    virtual HWND AddRollup(HINSTANCE instance, int templateId, DLGPROC proc,
                           const char* title, LPARAM param, DWORD flags) = 0;
    virtual TimeValue CurrentTime() = 0;
    virtual LRESULT PassMouseMessage(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) = 0;
    /// The edited texture changed.
    virtual void MapChanged() = 0;
};

/// A spinner tied to its edit control.
class ISpinnerControl {
public:
    virtual float GetFloat() = 0;
    /// Shows `value`; with `notify` 0 the rollup is not told.
    virtual void SetFloat(float value, BOOL notify) = 0;
    virtual void SetLimits(float low, float high) = 0;
    virtual void SetScale(float step) = 0;

protected:
    virtual ~ISpinnerControl() = default;
};

/// A colour swatch; colours are words 0x00BBGGRR.
class IColorSwatch {
public:
    virtual void SetSwatchColor(DWORD color, BOOL notify) = 0;
    virtual DWORD GetSwatchColor() = 0;
    virtual void ActivateSwatch(BOOL on) = 0;

protected:
    virtual ~IColorSwatch() = default;
};

/// Registers the custom control classes "ColorSwatch", "CustEdit" and
/// "SpinnerControl"; once, at module load.
HOST_API void InitCustomControls(HINSTANCE instance);
HOST_API ISpinnerControl* SetupFloatSpinner(HWND dialog, int spinnerId, int editId,
                                            float low, float high, float value, float step);
HOST_API void ReleaseISpinner(ISpinnerControl* spinner);
HOST_API IColorSwatch* GetIColorSwatch(HWND control, DWORD color, const char* title);
