#!/usr/bin/env python3
"""Writes the seed inputs of the fuzzing harnesses to fuzz/corpus/.

Tiny pictures of each format the damage checks know (the JPEGs by cjpeg,
from Debian's libjpeg-turbo-progs; HEIC and AVIF by heif-enc, of
libheif-examples; WebP by cwebp and img2webp, of webp), and texts that reach the corners of
the text readers. The seeds are committed; run this again only to change
them.
"""

import os
import struct
import subprocess
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def write(harness, name, data):
    folder = os.path.join(CORPUS, harness)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def gradient(width, height, colour):
    """A binary PPM or PGM with a little detail, so every scan has data."""
    pixels = bytearray()
    for y in range(height):
        for x in range(width):
            value = (x * 37 + y * 23 + (x * y) % 7 * 19) % 256
            if colour:
                pixels += bytes([value, (value * 3) % 256, 255 - value])
            else:
                pixels.append(value)
    kind = b"P6" if colour else b"P5"
    return kind + b"\n%d %d\n255\n" % (width, height) + bytes(pixels)


def cjpeg(picture, *options):
    with tempfile.NamedTemporaryFile(suffix=".pnm") as source:
        source.write(picture)
        source.flush()
        return subprocess.run(["cjpeg", "-optimize", "-quality", "60", *options, source.name],
                              check=True, capture_output=True).stdout


def png(width, height):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body)))
    rows = b"".join(b"\0" + b"".join(bytes([x * 80, y * 80, 128]) for x in range(width))
                    for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


# A white and black 1 x 1 GIF, as small as the format allows, and one with
# a comment extension and a local colour table.
GIF = (b"GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
       b",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;")
GIF_EXTENSIONS = (b"GIF89a\x01\x00\x01\x00\x00\x00\x00"
                  b"!\xfe\x03abc\x00"
                  b",\x00\x00\x00\x00\x01\x00\x01\x00\x80\x00\x00\x00\xff\xff\xff"
                  b"\x02\x02\x44\x01\x00;")


def bmp(width, height, bits, compression, pixels, header_size=40):
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression,
                           len(pixels), 2835, 2835, 0, 0)
    palette = b"\x00\x00\x00\x00\xff\xff\xff\x00" if bits <= 8 else b""
    if header_size == 12 and palette:
        palette = b"\x00\x00\x00\xff\xff\xff"
    offset = 14 + len(info) + len(palette)
    return (b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
            + info + palette + pixels)


def pictures():
    gray8 = gradient(8, 8, False)
    gray16 = gradient(16, 16, False)
    return {
        "baseline.jpg": cjpeg(gray8, "-grayscale"),
        "colour.jpg": cjpeg(gradient(8, 8, True), "-sample", "1x1"),
        "restarts.jpg": cjpeg(gray16, "-grayscale", "-restart", "1B"),
        "progressive.jpg": cjpeg(gray16, "-grayscale", "-progressive"),
        "progressive_colour.jpg": cjpeg(gradient(8, 8, True), "-progressive", "-sample",
                                        "2x2,1x1,1x1"),
        "progressive_restarts.jpg": cjpeg(gray16, "-grayscale", "-progressive",
                                          "-restart", "1B"),
        "tiny.png": png(2, 2),
        "tiny.gif": GIF,
        "extensions.gif": GIF_EXTENSIONS,
        "rgb.bmp": bmp(2, 2, 24, 0, b"\x00\x00\xff\x00\xff\x00\x00\x00"
                       b"\xff\x00\x00\xff\xff\xff\x00\x00"),
        "top_down.bmp": bmp(2, -2, 1, 0, b"\x40\x00\x00\x00\x80\x00\x00\x00"),
        "core_header.bmp": bmp(2, 2, 1, 0, b"\x40\x00\x00\x00\x80\x00\x00\x00",
                               header_size=12),
        "rle8.bmp": bmp(2, 2, 8, 1, b"\x02\x01\x00\x00\x02\x00\x00\x01"),
        # Rows past any file size: 0x7FFFFFFF x 0x7FFFFFFF at 65535 bits.
        "huge_rows.bmp": (b"BM" + struct.pack("<IHHI", 70, 0, 0, 54)
                          + struct.pack("<IiiHHIIiiII", 40, 0x7FFFFFFF, 0x7FFFFFFF, 1,
                                        65535, 0, 0, 2835, 2835, 0, 0) + bytes(16)),
    }


def main():
    shown = pictures()
    for name, data in shown.items():
        write("picture_integrity", name, data)
        write("picture_header", name, data)
        if name.endswith(".jpg"):
            write("jpeg_one_eighth", name, data)
    # A progressive frame, then a scan header cut before its count of
    # components, at the very end.
    write("jpeg_one_eighth", "scan_header_cut.jpg",
          bytes.fromhex("FFD8 FFC20008 08 0001 0001 00 FFDA0002"))
    # A refinement scan after a restart marker between segments.
    write("jpeg_one_eighth", "restart_between_segments.jpg",
          bytes.fromhex("FFD8 FFC20008080001000100 FFD0 FFDA0006 00 013F10 1234 FFD9"))
    write("picture_header", "tiny.ppm", b"P6\n1 1\n255\n\xff\x80\x00")
    write("picture_header", "tiny.xbm",
          "#define a_width 2\n#define a_height 1\nstatic char a_bits[] = {0x01};\n")

    # The scan data starts at the offset the first byte gives.
    write("jpeg_entropy", "stuffed", b"\x00\x12\xff\x00\x34\xff\xd9")
    write("jpeg_entropy", "restarts", b"\x02\xff\xc4\x12\xff\xd0\x34\xff\xd7\x56\xff\xda")
    write("jpeg_entropy", "fill_bytes", b"\x00\x01\xff\xff\xff\xd9")
    write("jpeg_entropy", "runs_out", b"\x00\x12\x34\xff")

    for i, text in enumerate(["12", " -7 ", "6.5", "7.5", "-32768.5", "32767.49", "32768",
                              ".5", "+1.e2", "1E-3", "1e400", "0x10", "inf", "nan",
                              "1,5", "\u0663", " \u00a012\t", ""]):
        write("number_reading", "text%02d" % i, text)

    for i, text in enumerate(["#FF8000", "ff8000", " #aBcDeF\n", "#12345", "#1234567",
                              "##123456", "#GG0000", "\uff10\uff10\uff10\uff10\uff10\uff10"]):
        write("html_color", "text%02d" % i, text)

    # First byte: 1 relative, 2 backslash separator, 4 file-name bytes.
    references = [
        (5, b"photo 1.jpg"),
        (5, b"a:b.jpg"),
        (7, b"C:\\pictures\\x.jpg"),
        (4, b"/home/me/<x>&\"y\"%#?.png"),
        (5, "\u00dcbersicht \u65e5\u672c \U0001f600.jpg".encode("utf-8")),
        (5, b"caf\xe9.jpg"),
        (1, "a\udc80b".encode("utf-16-le", "surrogatepass")),
        (1, "x\ud83d".encode("utf-16-le", "surrogatepass")),
        (0, "\ud83d\ude00\x01:\\".encode("utf-16-le", "surrogatepass")),
    ]
    for i, (flags, text) in enumerate(references):
        write("picture_reference", "ref%02d" % i, bytes([flags]) + text)

    # First byte: even, a name's bytes; odd, UTF-16 units.
    names = [
        (0, b"plain.jpg"),
        (0, "\u00e9t\u00e9 \u65e5 \U0001f600".encode("utf-8")),
        (0, b"caf\xe9\x80\xc3"),
        (0, b"\xed\xa0\x80 \xf4\x90\x80\x80 \xc0\xaf \xe0\x80\xaf \xf0\x9f\x98"),
        (0, b"\xef\xbb\xbfx\xef\xbb\xbfy\xe9"),  # U+FEFF is a character like any other
        (1, "a\udce9\ud83d\udc80".encode("utf-16-le", "surrogatepass")),
        (1, "\udc80\udcff\ud800".encode("utf-16-le", "surrogatepass")),
    ]
    for i, (mode, data) in enumerate(names):
        write("file_name_bytes", "name%02d" % i, bytes([mode]) + data)

    metadata_seeds()


def metadata_seeds():
    """Pictures holding EXIF (with its EXIF and GPS blocks), XMP and IPTC,
    for the facts reader: a JPEG with each, one little-endian, one with a
    comment first, a PNG and a WebP."""
    def ifd(entries, start, pointers, little):
        e = "<" if little else ">"
        count = len(entries) + len(pointers)
        data_at = start + 2 + 12 * count + 4
        out, data = struct.pack(e + "H", count), b""
        for tag, kind, value in entries:
            unit = {2: 1, 3: 2, 4: 4, 5: 8}[kind]
            out += struct.pack(e + "HHI", tag, kind, len(value) // unit)
            if len(value) <= 4:
                out += value.ljust(4, b"\0")
            else:
                out += struct.pack(e + "I", data_at + len(data))
                data += value
        for tag, offset in pointers:
            out += struct.pack(e + "HHII", tag, 4, 1, offset)
        return out + struct.pack(e + "I", 0) + data

    def tiff(little):
        e = "<" if little else ">"
        rational = lambda n, d: struct.pack(e + "II", n, d)
        main = [(0x010F, 2, b"Canon\0"), (0x0110, 2, b"Canon EOS 80D\0"),
                (0x010E, 2, b"Harbour at dawn\0")]
        exif = [(0x9003, 2, b"2024:05:01 12:33:10\0"), (0x9011, 2, b"+02:00\0"),
                (0x829A, 5, rational(1, 250)), (0x829D, 5, rational(8, 1)),
                (0x8827, 3, struct.pack(e + "H", 100)), (0xA434, 2, b"EF 50mm\0")]
        gps = [(0x0001, 2, b"N\0"), (0x0002, 5, rational(48, 1) + rational(51, 1) + rational(30, 1))]
        main_size = len(ifd(main, 8, [(0, 0), (0, 0)], little))
        exif_at = 8 + main_size
        gps_at = exif_at + len(ifd(exif, exif_at, [], little))
        head = (b"II*\0" + struct.pack("<I", 8)) if little else (b"MM\0*" + struct.pack(">I", 8))
        return (head + ifd(main, 8, [(0x8769, exif_at), (0x8825, gps_at)], little)
                + ifd(exif, exif_at, [], little) + ifd(gps, gps_at, [], little))

    def segment(marker, payload):
        return b"\xff" + bytes([marker]) + struct.pack(">H", len(payload) + 2) + payload

    xmp = (b'<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF '
           b'xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#"><rdf:Description '
           b'xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:exif="http://ns.adobe.com/exif/1.0/" '
           b'xmlns:photoshop="http://ns.adobe.com/photoshop/1.0/">'
           b'<dc:description><rdf:Alt><rdf:li xml:lang="x-default">Am Strand</rdf:li></rdf:Alt>'
           b'</dc:description><exif:GPSLongitude>2,17.67E</exif:GPSLongitude>'
           b'<photoshop:City>Paris</photoshop:City></rdf:Description></rdf:RDF></x:xmpmeta>')
    caption = b"\x1c\x02\x78" + struct.pack(">H", 7) + b"Harbour"
    city = b"\x1c\x02\x5a" + struct.pack(">H", 5) + b"Paris"
    iptc = caption + city
    iptc_segment = segment(0xED, b"Photoshop 3.0\0" + b"8BIM\x04\x04\0\0"
                           + struct.pack(">I", len(iptc)) + iptc + b"\0" * (len(iptc) % 2))
    with open(os.path.join(CORPUS, "picture_header", "colour.jpg"), "rb") as f:
        jpeg = f.read()
    exif_be = segment(0xE1, b"Exif\0\0" + tiff(False))
    exif_le = segment(0xE1, b"Exif\0\0" + tiff(True))
    xmp_segment = segment(0xE1, b"http://ns.adobe.com/xap/1.0/\0" + xmp)
    comment = segment(0xFE, b"Edited")
    write("picture_facts", "exif.jpg", jpeg[:2] + exif_be + jpeg[2:])
    write("picture_facts", "exif_little_endian.jpg", jpeg[:2] + exif_le + jpeg[2:])
    write("picture_facts", "comment_first.jpg",
          jpeg[:2] + comment + exif_be + xmp_segment + iptc_segment + jpeg[2:])

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body)))
    tiny = png(1, 1)
    write("picture_facts", "metadata.png",
          tiny[:33] + chunk(b"eXIf", tiff(False))
          + chunk(b"iTXt", b"XML:com.adobe.xmp\0\0\0\0\0" + xmp) + tiny[33:])

    def riff(kind, body):
        return kind + struct.pack("<I", len(body)) + body + b"\0" * (len(body) % 2)
    vp8l = b"\x2f\0\0\0\0\x07\x10\x11\x11\x88\x88\xfe\x07\0"
    vp8x = bytes([0x0C, 0, 0, 0, 0, 0, 0, 0, 0, 0])  # EXIF and XMP, 1 x 1
    body = b"WEBP" + riff(b"VP8X", vp8x) + riff(b"VP8L", vp8l) + riff(b"EXIF", tiff(True)) \
        + riff(b"XMP ", xmp)
    write("picture_facts", "metadata.webp", b"RIFF" + struct.pack("<I", len(body)) + body)


def tool_made(command, source_suffix, source, out_suffix):
    """The bytes a tool makes of source (a file's bytes): command, with "IN"
    standing for the file, then "-o" and the file it writes."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "in" + source_suffix)
        with open(path, "wb") as f:
            f.write(source)
        out = os.path.join(folder, "out" + out_suffix)
        subprocess.run([path if part == "IN" else part for part in command] + ["-o", out],
                       check=True, capture_output=True)
        with open(out, "rb") as f:
            return f.read()


def phone_seeds():
    """HEIC, AVIF and WebP of 3 x 3, for the readers of the phones' formats."""
    picture = png(3, 3)  # heif-enc and cwebp read PNG
    write("heif_picture", "small.heic", tool_made(["heif-enc", "-q", "50", "IN"], ".png",
                                                  picture, ".heic"))
    write("heif_picture", "small.avif", tool_made(["heif-enc", "-A", "-q", "50", "IN"], ".png",
                                                  picture, ".avif"))
    write("webp_picture", "lossy.webp", tool_made(["cwebp", "-quiet", "IN"], ".png", picture,
                                                  ".webp"))
    write("webp_picture", "lossless.webp", tool_made(["cwebp", "-quiet", "-lossless", "IN"],
                                                     ".png", picture, ".webp"))


if __name__ == "__main__":
    if len(os.sys.argv) > 1 and os.sys.argv[1] == "phone":
        phone_seeds()
    else:
        main()
