#pragma once

// The class descriptor: how the host learns about a module's class and
// creates its objects. The fifteen operations stand in this fixed order.

#include "host/reference.h"
#include "host/win32.h"

/// Category text of colour-modifier textures.
HOST_API extern const char* const TEXMAP_CAT_COLMOD;

class ClassDesc {
public:
    virtual ~ClassDesc() = default;
    /// 1: users may create objects of this class.
    virtual int PublicFlag() = 0;
    /// A new object, or null; `loading` is non-zero when a file will fill it.
    virtual ReferenceTarget* CreateTexture(int loading) = 0;
    virtual int BeginCreate(void*) { return 0; }
    virtual int EndCreate(void*) { return 0; }
    virtual const char* ClassNameText() = 0;
    virtual SClass_ID SuperClassCode() = 0;
    virtual Class_ID DescClassID() = 0;
    virtual const char* CategoryText() = 0;
    virtual int OkToCreate(void*) { return 1; }
    virtual int HasClassParams() { return 0; }
    virtual void EditClassParams(void*) {}
    virtual void EndEditClassParams(void*) {}
    virtual int NumActionTables() { return 0; }
    virtual int GetActionTable(int) { return 0; }
    virtual int GetActionCallback(int) { return 0; }
};

/// The module entry point, called like the operating system calls a DLL's:
/// at load (reason 1), thread attach (2), thread detach (3) and unload (0).
using DllEntryFn = BOOL(WINAPI*)(HINSTANCE instance, DWORD reason, void* reserved);

/// The functions a module exports by name.
extern "C" {
using LibDescriptionFn = const char* (*)();
using LibNumberClassesFn = int (*)();
using LibClassDescFn = ClassDesc* (*)(int);
using LibVersionFn = ULONG (*)();
}
