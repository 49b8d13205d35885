#include "module/tintora_class_desc.h"

#include <new>

#include "texture/tintora_class.h"
#include "texture/tintora_map.h"

TintoraClassDescriptor TintoraClassDesc;

int TintoraClassDescriptor::PublicFlag() { return 1; }

// Every new texture starts from the defaults, whatever the host is about to do
// with it, so the flag is not needed.
ReferenceTarget* TintoraClassDescriptor::CreateTexture(int) {
    return new (std::nothrow) TintoraMap();
}

const char* TintoraClassDescriptor::ClassNameText() { return TINTORA_CLASS_NAME; }
SClass_ID TintoraClassDescriptor::SuperClassCode() { return TEXMAP_CLASS_ID; }
Class_ID TintoraClassDescriptor::DescClassID() { return TINTORA_CLASS_ID; }
const char* TintoraClassDescriptor::CategoryText() { return TEXMAP_CAT_COLMOD; }
