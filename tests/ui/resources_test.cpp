// The templates and images as the studio reads them back from the
// resources generated out of tintora.rc.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "studio/ui/bmp_info.h"
#include "studio/ui/resource_registry.h"
#include "tests/ui/ui_test_support.h"

namespace {

namespace ws = window_style;
using uitest::TestInstance;

constexpr DWORD Base = ws::Child | ws::Visible;
constexpr DWORD Tab = Base | ws::TabStop;
constexpr DWORD Push = Tab | ws::PushButton;
constexpr DWORD Check = Tab | ws::AutoCheckBox;
constexpr DWORD CheckOff = Check | ws::Disabled;
constexpr DWORD Combo = Tab | ws::ComboDropDownList | ws::VScroll;
constexpr DWORD Left = Base | ws::Group | ws::StaticLeft;
constexpr DWORD Right = Base | ws::Group | ws::StaticRight;
constexpr DWORD Centre = Base | ws::Group | ws::StaticCenter;
constexpr DWORD Box = Base | ws::GroupBox;
constexpr DWORD Etched = Base | ws::StaticEtchedHorz;
constexpr DWORD Bitmap = Base | ws::StaticBitmap;

struct Row {
    int id;
    const char* cls;
    DWORD style;
    short x, y, cx, cy;
    const char* text;
};

// Every control of the parameter rollup, in template order.
const Row parameterRollup[] = {
    {1066, "ColorSwatch", Tab, 35, 10, 22, 12, "Custom1"},
    {1003, "BUTTON", Push, 62, 10, 143, 12, "Texture"},
    {1025, "CustEdit", Tab, 90, 36, 30, 10, "Custom1"},
    {1027, "CustEdit", Tab, 90, 50, 30, 10, "Custom1"},
    {1029, "CustEdit", Tab, 90, 64, 30, 10, "Custom1"},
    {1054, "CustEdit", Tab, 90, 78, 30, 10, "Custom1"},
    {1031, "BUTTON", Check, 150, 36, 43, 10, "Invert"},
    {1032, "BUTTON", Check, 150, 50, 37, 10, "Mono"},
    {1055, "BUTTON", CheckOff, 150, 64, 41, 10, "Colorize"},
    {1065, "BUTTON", Push, 140, 78, 50, 12, "Reset"},
    {1056, "CustEdit", Tab, 90, 116, 30, 10, "Custom1"},
    {1058, "CustEdit", Tab, 90, 130, 30, 10, "Custom1"},
    {1060, "CustEdit", Tab, 90, 144, 30, 10, "Custom1"},
    {1017, "CustEdit", Tab, 150, 116, 30, 10, "+"},
    {1019, "CustEdit", Tab, 150, 130, 30, 10, "Custom1"},
    {1021, "CustEdit", Tab, 150, 144, 30, 10, "Custom1"},
    {1036, "CustEdit", Tab, 90, 166, 30, 10, "Custom1"},
    {1042, "CustEdit", Tab, 90, 182, 30, 10, "Custom1"},
    {1048, "CustEdit", Tab, 90, 198, 30, 10, "Custom1"},
    {1039, "CustEdit", Tab, 150, 166, 30, 10, "Custom1"},
    {1045, "CustEdit", Tab, 150, 182, 30, 10, "Custom1"},
    {1051, "CustEdit", Tab, 150, 198, 30, 10, "Custom1"},
    {1033, "COMBOBOX", Combo, 23, 163, 55, 50, ""},
    {1034, "COMBOBOX", Combo, 23, 180, 55, 50, ""},
    {1035, "COMBOBOX", Combo, 23, 196, 55, 50, ""},
    {-1, "STATIC", Left, 7, 12, 26, 10, "Source"},
    {1057, "SpinnerControl", Tab, 120, 116, 7, 10, "Custom2"},
    {1059, "SpinnerControl", Tab, 120, 130, 7, 10, "Custom2"},
    {1061, "SpinnerControl", Tab, 120, 144, 7, 10, "Custom2"},
    {1062, "BUTTON", Push, 130, 130, 10, 10, "M"},
    {1063, "BUTTON", Push, 130, 144, 10, 10, "M"},
    {-1, "STATIC", Right, 30, 116, 48, 8, "Hue (deg)"},
    {-1, "STATIC", Right, 30, 130, 48, 8, "Saturation (%)"},
    {-1, "STATIC", Right, 30, 144, 48, 8, "Value (%)"},
    {-1, "STATIC", Centre, 90, 106, 30, 10, "Offset"},
    {1016, "BUTTON", Push, 190, 116, 10, 10, "M"},
    {1018, "SpinnerControl", Tab, 180, 116, 7, 10, "Custom2"},
    {1020, "SpinnerControl", Tab, 180, 130, 7, 10, "Custom2"},
    {1022, "SpinnerControl", Tab, 180, 144, 7, 10, "Custom2"},
    {1023, "BUTTON", Push, 190, 130, 10, 10, "M"},
    {1024, "BUTTON", Push, 190, 144, 10, 10, "M"},
    {-1, "STATIC", Centre, 150, 106, 30, 10, "Gain"},
    {-1, "BUTTON", Box, 7, 93, 198, 121, "Advanced"},
    {-1, "BUTTON", Box, 7, 27, 198, 66, "Basic"},
    {1026, "SpinnerControl", Tab, 120, 36, 7, 10, "Custom2"},
    {-1, "STATIC", Right, 30, 36, 48, 8, "Hue (deg)"},
    {1028, "SpinnerControl", Tab, 120, 50, 7, 10, "Custom2"},
    {-1, "STATIC", Right, 30, 50, 48, 8, "Saturation (%)"},
    {1030, "SpinnerControl", Tab, 120, 64, 7, 10, "Custom2"},
    {-1, "STATIC", Right, 30, 64, 48, 8, "Brightness (%)"},
    {-1, "STATIC", Left, 11, 164, 12, 9, "R="},
    {-1, "STATIC", Left, 11, 181, 12, 9, "G="},
    {-1, "STATIC", Left, 11, 197, 12, 9, "B="},
    {1037, "SpinnerControl", Tab, 120, 166, 7, 10, "Custom2"},
    {1038, "BUTTON", Push, 190, 166, 10, 10, "M"},
    {1040, "SpinnerControl", Tab, 180, 166, 7, 10, "Custom2"},
    {1041, "BUTTON", Push, 130, 166, 10, 10, "M"},
    {1043, "SpinnerControl", Tab, 120, 182, 7, 10, "Custom2"},
    {1044, "BUTTON", Push, 190, 182, 10, 10, "M"},
    {1046, "SpinnerControl", Tab, 180, 182, 7, 10, "Custom2"},
    {1047, "BUTTON", Push, 130, 182, 10, 10, "M"},
    {1049, "SpinnerControl", Tab, 120, 198, 7, 10, "Custom2"},
    {1050, "BUTTON", Push, 190, 198, 10, 10, "M"},
    {1052, "SpinnerControl", Tab, 180, 198, 7, 10, "Custom2"},
    {1053, "BUTTON", Push, 130, 198, 10, 10, "M"},
    {-1, "STATIC", Etched, 23, 159, 177, 1, ""},
    {1064, "SpinnerControl", Tab, 120, 78, 7, 10, "Custom2"},
    {-1, "STATIC", Right, 30, 78, 48, 8, "Contrast (%)"},
};

void ExpectControl(const ResourceControl& actual, const Row& expected, int number) {
    SCOPED_TRACE("control " + std::to_string(number) + " (id " + std::to_string(expected.id) + ")");
    EXPECT_EQ(actual.id, expected.id);
    EXPECT_STREQ(actual.className, expected.cls);
    EXPECT_EQ(actual.style, expected.style) << std::hex << actual.style << " vs " << expected.style;
    EXPECT_EQ(actual.exStyle, 0u);
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.cx, expected.cx);
    EXPECT_EQ(actual.cy, expected.cy);
    EXPECT_STREQ(actual.text, expected.text);
    EXPECT_EQ(actual.imageId, 0);
}

// A child dialog without caption or border, in 8-point "MS Sans Serif".
void ExpectRollupFrame(const ResourceDialog& d, short cx, short cy) {
    EXPECT_EQ(d.cx, cx);
    EXPECT_EQ(d.cy, cy);
    EXPECT_EQ(d.x, 0);
    EXPECT_EQ(d.y, 0);
    EXPECT_TRUE(d.style & ws::Child);
    EXPECT_FALSE(d.style & (ws::Popup | ws::Border | ws::Caption));
    EXPECT_TRUE(d.style & ws::DialogSetFont);
    EXPECT_STREQ(d.caption, "");
    EXPECT_STREQ(d.fontName, "MS Sans Serif");
    EXPECT_EQ(d.fontPointSize, 8);
}

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override { uitest::PrepareTestModule(); }
};

TEST_F(ResourcesTest, ParameterRollupMatchesLayoutControlByControl) {
    const ResourceDialog* d = studio::FindDialogTemplate(TestInstance(), 102);
    ASSERT_NE(d, nullptr);
    ExpectRollupFrame(*d, 212, 222);
    constexpr int rows = int(std::size(parameterRollup));
    static_assert(rows == 68);
    ASSERT_EQ(d->controlCount, rows);
    for (int i = 0; i < rows; ++i) ExpectControl(d->controls[i], parameterRollup[i], i + 1);
}

TEST_F(ResourcesTest, ParameterRollupIdsAreUniqueExceptTheUnaddressedOnes) {
    const ResourceDialog* d = studio::FindDialogTemplate(TestInstance(), 102);
    ASSERT_NE(d, nullptr);
    std::vector<int> ids;
    for (int i = 0; i < d->controlCount; ++i)
        if (d->controls[i].id != -1) ids.push_back(d->controls[i].id);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    EXPECT_EQ(ids.size(), 68u - 16u);  // sixteen labels, boxes and lines carry no id
}

TEST_F(ResourcesTest, AboutRollupHasTwoImagesAndTheCreditText) {
    const ResourceDialog* d = studio::FindDialogTemplate(TestInstance(), 103);
    ASSERT_NE(d, nullptr);
    ExpectRollupFrame(*d, 212, 114);
    ASSERT_EQ(d->controlCount, 3);
    const struct {
        DWORD style;
        short x, y, cx, cy;
        int image;
    } expected[] = {{Bitmap, 7, 6, 85, 54, 107}, {Left, 7, 66, 198, 42, 0}, {Bitmap, 120, 6, 85, 54, 109}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i + 1);
        const ResourceControl& c = d->controls[i];
        EXPECT_EQ(c.id, -1);
        EXPECT_STREQ(c.className, "STATIC");
        EXPECT_EQ(c.style, expected[i].style);
        EXPECT_EQ(c.x, expected[i].x);
        EXPECT_EQ(c.y, expected[i].y);
        EXPECT_EQ(c.cx, expected[i].cx);
        EXPECT_EQ(c.cy, expected[i].cy);
        EXPECT_EQ(c.imageId, expected[i].image);
    }
    EXPECT_STREQ(d->controls[0].text, "");
    EXPECT_STREQ(d->controls[1].text,
                 "Tintora v1.0\tApril 15th 1997\n"
                 "\n"
                 "Programming:\tThe Tintora developers\t(dev@example.org)\n"
                 "Design Support:\tThe Tintora design team\t(design@example.org)\n"
                 "Homepage:\thttps://example.org/tintora");
}

TEST_F(ResourcesTest, ImagesAre128By87UncompressedWithA256ColourPalette) {
    for (const int id : {107, 109}) {
        SCOPED_TRACE(id);
        const ResourceImage* image = studio::FindImage(TestInstance(), id);
        ASSERT_NE(image, nullptr);
        const auto info = studio::ReadBmpInfo(image->bytes, image->size);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->width, 128);
        EXPECT_EQ(info->height, 87);
        EXPECT_EQ(info->bitsPerPixel, 8);
        EXPECT_EQ(info->compression, 0);
        EXPECT_EQ(info->paletteEntries, 256);
        EXPECT_EQ(image->size, info->pixelOffset + 128u * 87u);
    }
}

TEST_F(ResourcesTest, LookupsMissWithoutFailing) {
    EXPECT_EQ(studio::FindDialogTemplate(TestInstance(), 104), nullptr);
    EXPECT_EQ(studio::FindImage(TestInstance(), 108), nullptr);
    int otherTag = 0;
    const auto other = reinterpret_cast<HINSTANCE>(&otherTag);
    EXPECT_EQ(studio::FindDialogTemplate(other, 102), nullptr);
    EXPECT_EQ(studio::FindDialogTemplate(nullptr, 102), nullptr);
}

TEST_F(ResourcesTest, TableOfAnotherVersionIsNotRead) {
    int tag = 0;
    const auto instance = reinterpret_cast<HINSTANCE>(&tag);
    ResourceTable future = ModuleResources;
    future.version = MODULE_RESOURCES_VERSION + 1;
    studio::RegisterModuleResources(instance, &future);
    EXPECT_EQ(studio::FindDialogTemplate(instance, 102), nullptr);
    studio::UnregisterModuleResources(instance);
}

TEST(BmpInfoTest, RefusesTruncatedAndForeignData) {
    const ResourceImage* image = nullptr;
    uitest::PrepareTestModule();
    image = studio::FindImage(TestInstance(), 107);
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(studio::ReadBmpInfo(image->bytes, image->size - 1).has_value());
    EXPECT_FALSE(studio::ReadBmpInfo(image->bytes, 20).has_value());
    std::vector<unsigned char> foreign(image->bytes, image->bytes + image->size);
    foreign[0] = 'P';
    EXPECT_FALSE(studio::ReadBmpInfo(foreign.data(), foreign.size()).has_value());
    EXPECT_FALSE(studio::ReadBmpInfo(nullptr, 0).has_value());
}

}  // namespace
