// How parameter values are shown to the user.

#include "host/param_block.h"

namespace {

class Color255Dimension final : public ParamDimension {
public:
    float Convert(float value) override { return value * 255.0f; }
    float UnConvert(float value) override { return value / 255.0f; }
};

ParamDimension identityDimension;
Color255Dimension color255Dimension;

}  // namespace

ParamDimension* defaultDim = &identityDimension;
ParamDimension* stdColor255Dim = &color255Dimension;
