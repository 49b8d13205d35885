#include "studio/textures/bitmap_texture.h"

#include "studio/scene/load_report.h"
#include "studio/textures/bitmap_sampling.h"

namespace {

constexpr ParamBlockDescID bitmapDesc[] = {{TYPE_FLOAT, nullptr, 1, 0},
                                           {TYPE_FLOAT, nullptr, 1, 1},
                                           {TYPE_FLOAT, nullptr, 1, 2},
                                           {TYPE_FLOAT, nullptr, 1, 3}};

}  // namespace

std::string BitmapTex::SetFileName(const std::string& path) {
    fileName = path;
    CachedImageResult loaded = LoadSharedImage(path);
    image = std::move(loaded.image);
    imageError = std::move(loaded.error);
    NotifyDependents(WHOLE_INTERVAL, 0x9ff, 80);
    return imageError;
}

std::span<const ParamBlockDescID> BitmapTex::ParamDescs() const { return bitmapDesc; }

void BitmapTex::WriteDefaults(IParamBlock& block) {
    block.SetValue(U_TILING, 0, 1.0f);
    block.SetValue(V_TILING, 0, 1.0f);
    block.SetValue(U_OFFSET, 0, 0.0f);
    block.SetValue(V_OFFSET, 0, 0.0f);
}

void BitmapTex::ReadCache(TimeValue t, Interval& valid) {
    uTiling = FloatAt(U_TILING, t, valid);
    vTiling = FloatAt(V_TILING, t, valid);
    uOffset = FloatAt(U_OFFSET, t, valid);
    vOffset = FloatAt(V_OFFSET, t, valid);
}

ColorRGBA BitmapTex::Sample(float u, float v) const {
    if (!image) return {};
    return SampleBilinear(*image, u * uTiling + uOffset, v * vTiling + vOffset);
}

ColorRGBA BitmapTex::EvaluateColor(ShadingContext& sc) {
    sc.SetShadeTag(ShadeTag());
    const Point2 uv = sc.UV();
    return Sample(uv.x, uv.y);
}

Vector3 BitmapTex::EvaluatePerturbation(ShadingContext& sc) {
    if (!image) return {};
    const Point2 uv = sc.UV();
    const float du = 1.0f / float(image->width), dv = 1.0f / float(image->height);
    const auto mono = [this](float u, float v) {
        const ColorRGBA c = Sample(u, v);
        return (c.r + c.g + c.b) / 3.0f;
    };
    return {(mono(uv.x + du, uv.y) - mono(uv.x - du, uv.y)) / (2.0f * du),
            (mono(uv.x, uv.y + dv) - mono(uv.x, uv.y - dv)) / (2.0f * dv), 0.0f};
}

void BitmapTex::CopySettingsTo(StandardTexmap& copy) const {
    auto& bitmap = static_cast<BitmapTex&>(copy);
    bitmap.fileName = fileName;
    bitmap.imageError = imageError;
    bitmap.image = image;
}

IOResult BitmapTex::SaveSettings(ISave* stream) {
    stream->StartChunk(BITMAP_FILE_CHUNK);
    const IOResult result = stream->WriteString(fileName.c_str());
    if (result != IO_OK) return result;
    stream->FinishChunk();
    return IO_OK;
}

IOResult BitmapTex::LoadSettingsChunk(ILoad* stream) {
    if (stream->ChunkId() != BITMAP_FILE_CHUNK) return IO_OK;
    CStr path;
    const IOResult result = stream->ReadString(path);
    if (result != IO_OK) return result;
    if (!SetFileName(path.str()).empty()) ReportLoadWarning(imageError);
    return IO_OK;
}
