#pragma once

// A texture showing an image file, repeated over texture space.

#include <string>

#include "studio/textures/image_cache.h"
#include "studio/textures/standard_class_ids.h"
#include "studio/textures/standard_texmap.h"

/// Chunk of the bitmap's file name in scene files.
constexpr USHORT BITMAP_FILE_CHUNK = 0x5000;

class BitmapTex final : public StandardTexmap {
public:
    /// Repeats per unit of u and v, and shifts in image widths and heights.
    enum Param { U_TILING, V_TILING, U_OFFSET, V_OFFSET };
    BitmapTex() { ResetAll(); }
    Class_ID ClassID() override { return BITMAP_TEX_CLASS_ID; }
    const char* ClassNameText() const override { return "Bitmap"; }

    /// Names the image and reads it (shared with other bitmaps of the same
    /// file). Answers an empty text, or the problem naming the path; the name
    /// is kept either way, so it is saved, and the texture shows transparent
    /// black until the file can be read.
    std::string SetFileName(const std::string& path);
    const std::string& FileName() const { return fileName; }
    /// The problem met by the last SetFileName or Load, or empty.
    const std::string& ImageError() const { return imageError; }
    /// The image shown, shared with bitmaps of the same file; null when none.
    const SharedImage& Image() const { return image; }

    ColorRGBA EvaluateColor(ShadingContext& sc) override;
    /// The slope of the mono value along u and v, one pixel apart.
    Vector3 EvaluatePerturbation(ShadingContext& sc) override;

protected:
    std::span<const ParamBlockDescID> ParamDescs() const override;
    void WriteDefaults(IParamBlock& block) override;
    void ReadCache(TimeValue t, Interval& valid) override;
    StandardTexmap* NewInstance() const override { return new BitmapTex; }
    void CopySettingsTo(StandardTexmap& copy) const override;
    IOResult SaveSettings(ISave* stream) override;
    IOResult LoadSettingsChunk(ILoad* stream) override;

private:
    ColorRGBA Sample(float u, float v) const;
    std::string fileName;
    std::string imageError;
    SharedImage image;
    float uTiling = 1.0f, vTiling = 1.0f, uOffset = 0.0f, vOffset = 0.0f;
};
