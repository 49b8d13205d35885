#!/usr/bin/python3
"""The peer pipeline in libvips, in one process: to HSV, adjust hue,
saturation and value, back to RGB, re-map the channels, then a per-channel
linear stage in float, written as 8 bits.

usage: vips_pipeline.py INPUT OUTPUT [PNG_COMPRESSION]
"""
import sys

import gi

gi.require_version("Vips", "8.0")
from gi.repository import GObject, Vips  # noqa: E402


def call(name, **props):
    op = Vips.Operation.new(name)
    for key, value in props.items():
        if isinstance(value, list):
            value = Vips.ArrayDouble.new(value)
        GObject.Object.set_property(op, key.rstrip("_").replace("_", "-"), value)
    built = Vips.cache_operation_build(op)
    return built


def output(name, **props):
    return GObject.Object.get_property(call(name, **props), "out")


def main():
    source, target = sys.argv[1], sys.argv[2]
    compression = int(sys.argv[3]) if len(sys.argv) > 3 else 6
    Vips.init(sys.argv[0])
    loader = Vips.Foreign.find_load(source)
    image = output(loader, filename=source, access=Vips.Access.SEQUENTIAL)
    image = output("extract_band", in_=image, band=0, n=3) if image.get_bands() > 3 else image
    hsv = output("colourspace", in_=image, space=Vips.Interpretation.HSV)
    adjusted = output("linear", in_=hsv, a=[1.0, 0.8, 1.0], b=[21.0, 0.0, 0.0], uchar=True)
    adjusted = output("copy", in_=adjusted, interpretation=Vips.Interpretation.HSV)
    rgb = output("colourspace", in_=adjusted, space=Vips.Interpretation.SRGB)
    r = output("extract_band", in_=rgb, band=0)
    g = output("extract_band", in_=rgb, band=1)
    b = output("extract_band", in_=rgb, band=2)
    remapped = output("bandjoin", in_=Vips.ArrayImage.new([b, g, r]))
    graded = output("linear", in_=remapped, a=[1.2, 1.0, 0.9], b=[-10.0, 0.0, 5.0])
    final = output("cast", in_=graded, format=Vips.BandFormat.UCHAR)
    if target.lower().endswith(".png"):
        call("pngsave", in_=final, filename=target, compression=compression)
    else:
        call("ppmsave", in_=final, filename=target)


if __name__ == "__main__":
    main()
