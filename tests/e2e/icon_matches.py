#!/usr/bin/env python3
"""Whether an X window shows a given Windows icon file: compares the window's _NET_WM_ICON
(where Wine puts the icons of WM_SETICON for the desktop to show) with the frames of the .ico.

    icon_matches.py <_NET_WM_ICON as printed by "xprop -notype 32c"> <file.ico>

Every image of the property must equal, pixel for pixel, the frame of the icon file with the
same size (32-bit frames, compared as ARGB; the alpha of the file is kept by Wine). Prints
what it compared and exits 0 when all match, 1 when not, 2 on unreadable input.
"""
import re
import struct
import sys


def property_images(text):
    """The (width, height, pixels) images of a printed _NET_WM_ICON property."""
    values = [int(v) for v in re.findall(r"\d+", text.split("=", 1)[-1])]
    images = []
    i = 0
    while i + 2 <= len(values):
        width, height = values[i], values[i + 1]
        count = width * height
        if count == 0 or i + 2 + count > len(values):
            break
        images.append((width, height, values[i + 2 : i + 2 + count]))
        i += 2 + count
    return images


def icon_frames(path):
    """{(width, height): pixels} of the 32-bit frames of an .ico file, top row first, ARGB."""
    data = open(path, "rb").read()
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    if kind != 1:
        raise ValueError("not an icon file")
    frames = {}
    for n in range(count):
        w, h, _, _, _, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * n)
        w, h = w or 256, h or 256
        header_size, _, _, _, bits = struct.unpack_from("<IiiHH", data, offset)
        if bits != 32:
            continue
        rows = []
        start = offset + header_size
        for y in range(h):
            row = []
            for x in range(w):
                b, g, r, a = data[start + 4 * (y * w + x) : start + 4 * (y * w + x) + 4]
                row.append(a << 24 | r << 16 | g << 8 | b)
            rows.append(row)
        rows.reverse()  # bottom-up rows in the file
        frames[(w, h)] = [p for row in rows for p in row]
    return frames


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[3].strip(), file=sys.stderr)
        return 2
    try:
        images = property_images(sys.argv[1])
        frames = icon_frames(sys.argv[2])
    except (OSError, ValueError, struct.error) as error:
        print(f"unreadable: {error}")
        return 2
    if not images:
        print("the window has no icon")
        return 1
    ok = True
    for width, height, pixels in images:
        frame = frames.get((width, height))
        if frame is None:
            print(f"{width} x {height}: the icon file has no frame of that size")
            ok = False
        elif frame != pixels:
            differing = sum(1 for a, b in zip(frame, pixels) if a != b)
            print(f"{width} x {height}: {differing} of {len(frame)} pixels differ")
            ok = False
        else:
            print(f"{width} x {height}: same")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
