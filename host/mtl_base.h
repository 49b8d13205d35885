#pragma once

// Materials and textures: MtlBase and the two-level texture base.

#include "host/reference.h"
#include "host/shading.h"
#include "host/win32.h"

class IMtlEditorHost;
class ParamEditor;
class Texmap;

/// The host's part of every material and texture: its name and shade tag.
class HOST_API MtlBase : public ReferenceTarget {
public:
    MtlBase();
    MtlBase& operator=(const MtlBase& other);

    const CStr& GetName() const { return name; }
    void SetName(const CStr& newName) { name = newName; }
    /// "name (class name)": how the user sees this object in a list.
    CStr GetFullName();

    int ShadeTag() const { return shadeTag; }
    void SetShadeTag(int tag) { shadeTag = tag; }

    /// Writes and reads the host's base data (name, shade tag) inside the
    /// chunk that the caller opened.
    IOResult Save(ISave* stream) override;
    IOResult Load(ILoad* stream) override;

    virtual int SubTexmapCount() { return 0; }
    virtual Texmap* GetSubTexmap(int) { return nullptr; }
    virtual void SetSubTexmap(int, Texmap*) {}
    virtual CStr GetSubTexmapSlotName(int) { return CStr(); }
    /// How the track view names slot i: its slot name.
    CStr GetSubTexmapTVName(int i);

    virtual void Update(TimeValue, Interval&) {}
    /// Host reset: back to the state of a new object.
    virtual void ResetAll() {}
    virtual Interval Validity(TimeValue) { return WHOLE_INTERVAL; }
    virtual ParamEditor* CreateEditor(HWND, IMtlEditorHost*) { return nullptr; }

protected:
    CStr name;
    int shadeTag = 0;
};

/// First level of the texture base: a texture, evaluated per shading sample.
class HOST_API Texmap : public MtlBase {
public:
    Texmap() = default;
    SClass_ID SuperClassCode() override { return TEXMAP_CLASS_ID; }

    virtual ColorRGBA EvaluateColor(ShadingContext& sc) = 0;
    /// Optional batch form: colours[i] = EvaluateColor(*samples[i]) for every
    /// i below count. A texture may override it to share work between
    /// samples; what it gives must be exactly what EvaluateColor gives.
    virtual void EvaluateColors(ShadingContext* const* samples, int count, ColorRGBA* colours) {
        for (int i = 0; i < count; ++i) colours[i] = EvaluateColor(*samples[i]);
    }
    /// A single value: by default the average of red, green and blue.
    virtual float EvaluateMono(ShadingContext& sc);
    /// The bump vector: none by default.
    virtual Vector3 EvaluatePerturbation(ShadingContext&) { return {}; }

protected:
    /// Display state the host keeps per texture; cleared at construction.
    DWORD displayState = 0;
};

/// Second level of the texture base: two display operations, both doing
/// nothing unless a texture has something to show in the viewports.
class HOST_API StdTexmap : public Texmap {
public:
    virtual void ActivateDisplay(int) {}
    virtual void DiscardDisplay() {}
};
