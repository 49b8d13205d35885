#pragma once

// An image file as a texture that is read band by band while it renders,
// for correcting an image far larger than one would want to hold as floats.

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "host/mtl_base.h"

/// Shows an image rendered at its own size: at the centre of each pixel of a
/// loaded band it gives exactly the colour ReadImage gives for that pixel
/// (elsewhere the nearest pixel, and transparent black where no band is
/// loaded). 8-bit images stay 8 bits until a sample asks for a colour.
class StreamedImageTex final : public StdTexmap {
public:
    StreamedImageTex();
    ~StreamedImageTex() override;

    /// Opens `path`; answers an empty text or the problem naming the path.
    std::string Open(const std::string& path);
    int Width() const { return width; }
    int Height() const { return height; }
    /// Whether the file has an alpha channel (else every alpha is 1).
    bool HasAlpha() const { return channels == 2 || channels == 4; }

    /// Keeps `slots` bands of `rows` rows resident, band b in slot b % slots.
    void SetBands(int rows, int slots);
    /// Reads rows first..end-1 (one band, in order from the top; a band
    /// before the last read starts the file again). Not concurrent with
    /// itself; evaluation may run on other bands meanwhile.
    std::string LoadRows(int first, int end);

    ColorRGBA EvaluateColor(ShadingContext& sc) override;
    void EvaluateColors(ShadingContext* const* samples, int count, ColorRGBA* colours) override;
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
    ReferenceTarget* Clone(RemapDir& remap) override;

private:
    /// The pixel a texture coordinate falls in; false for a coordinate that
    /// is not finite.
    bool PixelPlace(Point2 uv, int& x, int& y) const;
    /// The stored samples of row y, or null when its band is not loaded.
    const void* RowData(int y) const;
    ColorRGBA PixelOf(const void* row, int x) const;
    struct Reader;
    std::unique_ptr<Reader> reader;
    std::string path;
    int width = 0, height = 0, channels = 0;
    bool eightBit = false;
    float byteToFloat[256] = {};  // the reader's own conversion of each byte
    int bandRows = 1;
    std::vector<std::vector<unsigned char>> bytes;  // per slot, 8-bit images
    std::vector<std::vector<float>> floats;         // per slot, other images
    std::unique_ptr<std::atomic<int>[]> slotBand;   // the band each slot holds, -1 none
    int slotCount = 0;
    int nextRow = 0;
};
