#pragma once

// Parameter blocks: a numbered list of typed, optionally animated values.

#include "host/reference.h"

/// Parameter type codes of ParamBlockDescID::type.
constexpr int TYPE_FLOAT = 0;
constexpr int TYPE_INT = 1;
constexpr int TYPE_RGBA = 2;  ///< a Color
constexpr int TYPE_BOOL = 4;  ///< read and written through the int accessors

/// One parameter of a block: type code, user data, animatable flag, id.
struct ParamBlockDescID {
    int type;
    void* user;
    int animatable;
    DWORD id;
};

/// How a parameter's value is shown to the user.
class ParamDimension {
public:
    virtual ~ParamDimension() = default;
    /// Stored value to displayed value, and back.
    virtual float Convert(float value) { return value; }
    virtual float UnConvert(float value) { return value; }
};

HOST_API extern ParamDimension* defaultDim;
/// Colour channels 0..1 shown as 0..255.
HOST_API extern ParamDimension* stdColor255Dim;

class IParamBlock : public ReferenceTarget {
public:
    virtual int NumParams() = 0;
    virtual int GetParameterType(int i) = 0;

    /// The value at time t. `valid` is narrowed to a span around t over which
    /// the value holds; a parameter that never changes leaves it as it was.
    virtual BOOL GetValue(int i, TimeValue t, float& v, Interval& valid) = 0;
    virtual BOOL GetValue(int i, TimeValue t, int& v, Interval& valid) = 0;
    virtual BOOL GetValue(int i, TimeValue t, Color& v, Interval& valid) = 0;

    /// Stores the value at time t (a key when animating), records it for
    /// undo while theHold holds and sends message 80 to the dependents.
    virtual BOOL SetValue(int i, TimeValue t, float v) = 0;
    virtual BOOL SetValue(int i, TimeValue t, int v) = 0;
    virtual BOOL SetValue(int i, TimeValue t, Color v) = 0;
};

HOST_API IParamBlock* CreateParameterBlock(const ParamBlockDescID* desc, int count,
                                           DWORD version);

/// Message 251 asks a maker for the display name of parameter `index`; the
/// record travels by address in the part argument.
struct ParamNameQuery {
    CStr name;
    int index;
};

/// Message 252 asks a maker for the dimension of parameter `index`.
struct ParamDimQuery {
    ParamDimension* dim;
    int index;
};
