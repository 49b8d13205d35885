#pragma once

#include "host/class_desc.h"

/// Describes the Tintora texture class to the host and creates its objects.
class TintoraClassDescriptor : public ClassDesc {
public:
    int PublicFlag() override;
    ReferenceTarget* CreateTexture(int loading) override;
    const char* ClassNameText() override;
    SClass_ID SuperClassCode() override;
    Class_ID DescClassID() override;
    const char* CategoryText() override;
};

extern TintoraClassDescriptor TintoraClassDesc;
