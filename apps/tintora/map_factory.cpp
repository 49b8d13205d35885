#include "apps/tintora/map_factory.h"

#include <filesystem>

#include "apps/tintora/errors.h"
#include "apps/tintora/number_format.h"
#include "studio/textures/bitmap_texture.h"
#include "studio/textures/simple_textures.h"

namespace tintora_cli {

namespace {

Texmap* NewBitmap(const std::string& path) {
    auto* bitmap = new BitmapTex;
    // Scenes keep the absolute path so that they open from any folder.
    const std::string error = bitmap->SetFileName(std::filesystem::absolute(path).lexically_normal().string());
    if (!error.empty()) {
        bitmap->DeleteThis();
        throw WorkError(error);
    }
    return bitmap;
}

Texmap* NewConstant(const MapSpec& spec) {
    auto* constant = new ConstantTex;
    constant->ParamBlock()->SetValue(ConstantTex::COLOR, 0, spec.color1);
    return constant;
}

Texmap* NewChecker(const MapSpec& spec) {
    auto* checker = new CheckerTex;
    if (spec.hasColors) {
        checker->ParamBlock()->SetValue(CheckerTex::COLOR1, 0, spec.color1);
        checker->ParamBlock()->SetValue(CheckerTex::COLOR2, 0, spec.color2);
    }
    if (spec.tiles) checker->ParamBlock()->SetValue(CheckerTex::TILES, 0, *spec.tiles);
    return checker;
}

Texmap* NewNoise(const MapSpec& spec) {
    auto* noise = new NoiseTex;
    if (spec.scale) noise->ParamBlock()->SetValue(NoiseTex::SCALE, 0, *spec.scale);
    return noise;
}

Color ColorParam(StandardTexmap& map, int i, TimeValue t) {
    Color value;
    Interval valid = WHOLE_INTERVAL;
    map.ParamBlock()->GetValue(i, t, value, valid);
    return value;
}

float FloatParam(StandardTexmap& map, int i, TimeValue t) {
    float value = 0.0f;
    Interval valid = WHOLE_INTERVAL;
    map.ParamBlock()->GetValue(i, t, value, valid);
    return value;
}

}  // namespace

Texmap* CreateMap(const MapSpec& spec) {
    switch (spec.kind) {
    case MapSpec::Kind::Image: return NewBitmap(spec.path);
    case MapSpec::Kind::Constant: return NewConstant(spec);
    case MapSpec::Kind::Checker: return NewChecker(spec);
    case MapSpec::Kind::Noise: return NewNoise(spec);
    case MapSpec::Kind::Gradient: return new GradientTex;
    case MapSpec::Kind::None: break;
    }
    return nullptr;
}

std::string DescribeMap(Texmap* map, TimeValue t) {
    if (!map) return "none";
    if (auto* bitmap = dynamic_cast<BitmapTex*>(map)) return bitmap->FileName();
    if (auto* constant = dynamic_cast<ConstantTex*>(map))
        return "constant:" + FormatColor(ColorParam(*constant, ConstantTex::COLOR, t));
    if (auto* checker = dynamic_cast<CheckerTex*>(map))
        return "checker:" + FormatColor(ColorParam(*checker, CheckerTex::COLOR1, t)) + ":" +
               FormatColor(ColorParam(*checker, CheckerTex::COLOR2, t)) + ":" +
               FormatNumber(FloatParam(*checker, CheckerTex::TILES, t));
    if (auto* noise = dynamic_cast<NoiseTex*>(map))
        return "noise:" + FormatNumber(FloatParam(*noise, NoiseTex::SCALE, t));
    if (dynamic_cast<GradientTex*>(map)) return "gradient";
    CStr className;
    map->FillClassName(className);
    return className.str().empty() ? std::string("(texture)") : "(" + className.str() + ")";
}

}  // namespace tintora_cli
