#include "studio/textures/standard_classes.h"

#include "studio/textures/bitmap_texture.h"
#include "studio/textures/mix_texture.h"
#include "studio/textures/simple_textures.h"

namespace {

constexpr const char* STANDARD_CATEGORY = "Standard";

/// The descriptor of standard texture class T.
template <typename T>
class StandardClassDesc final : public ClassDesc {
public:
    StandardClassDesc(const char* className, Class_ID id) : name(className), classId(id) {}
    int PublicFlag() override { return 1; }
    ReferenceTarget* CreateTexture(int) override { return new T; }
    const char* ClassNameText() override { return name; }
    SClass_ID SuperClassCode() override { return TEXMAP_CLASS_ID; }
    Class_ID DescClassID() override { return classId; }
    const char* CategoryText() override { return STANDARD_CATEGORY; }

private:
    const char* name;
    Class_ID classId;
};

StandardClassDesc<BitmapTex> bitmapDesc("Bitmap", BITMAP_TEX_CLASS_ID);
StandardClassDesc<CheckerTex> checkerDesc("Checker", CHECKER_TEX_CLASS_ID);
StandardClassDesc<NoiseTex> noiseDesc("Noise", NOISE_TEX_CLASS_ID);
StandardClassDesc<ConstantTex> constantDesc("Constant", CONSTANT_TEX_CLASS_ID);
StandardClassDesc<GradientTex> gradientDesc("Gradient", GRADIENT_TEX_CLASS_ID);
StandardClassDesc<MixTex> mixDesc("Mix", MIX_TEX_CLASS_ID);

}  // namespace

void RegisterStandardTextures(ClassRegistry& registry) {
    for (ClassDesc* desc : std::initializer_list<ClassDesc*>{&bitmapDesc, &checkerDesc, &noiseDesc,
                                                             &constantDesc, &gradientDesc, &mixDesc})
        registry.Add(desc);
}
