#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (fuzz/corpus/<target>/). Run by hand after changing it; the
seeds are kept in the repository. Needs cjpeg (libjpeg-turbo-progs) for the JPEG seeds."""
import io
import os
import struct
import subprocess
import zipfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def put(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def text_seeds():
    seeds = {
        "empty": b"",
        "ascii": b"[Video]\r\nColor=3\r\n",
        "windows1252": b"Wei\xdf\x93 Espa\xf1ol \x80 \x81\x8d\x8f\x90\x9d",
        "weiss-bytes-look-utf8": b"Wei\xdf\x93",
        "utf8": "Pokémon ✓ 🎮".encode(),
        "utf8-mark": b"\xef\xbb\xbf" + "Pokémon".encode(),
        "utf8-mark-then-bad-byte": b"\xef\xbb\xbf[Video]\r\nx=\xf1\r\n",
        "half-mark": b"\xef\xbb",
        "utf16le": b"\xff\xfe" + "[Vídeo]\r\nC=✓\r\n".encode("utf-16-le"),
        "utf16be": b"\xfe\xff" + "[Vídeo]\r\nC=🎮\r\n".encode("utf-16-be"),
        "utf16-odd": b"\xff\xfeA\x00B",
        "utf16-lone-surrogate": b"\xff\xfe\x00\xd8A\x00",
        "overlong": b"\xc0\xaf\xe0\x80\xaf",
        "surrogate-utf8": b"\xed\xa0\x80",
        "beyond-unicode": b"\xf4\x90\x80\x80",
        "cut-sequence": b"abc\xe2\x9c",
        "line-ends": b"a\rb\nc\r\nd\n\re",
        "pokemon-mojibake": "PokÃ©mon".encode(),
    }
    for name, data in seeds.items():
        put("text", name, data)


def settings_seeds():
    seeds = {
        "typical": b"[Directorios]\r\nroms=/home/ana/Roms\r\nZibo=/usr/games/zibo\r\n\r\n[Configuracion]\r\n"
        b"Troms=3\r\n\r\n[Video]\r\nColor=0x1F\r\n",
        "windows1252": b"[OtrasConfig2]\r\nArchName=espa\xf1ol.cti\r\nx=\x80\x93\r\n",
        "utf8": "[OtrasConfig2]\r\nArchName=español.cti\r\n".encode(),
        "mark-bad-byte": b"\xef\xbb\xbf[Video]\r\nColor=3\r\ndcs=\xf1\r\n",
        "utf16le": b"\xff\xfe" + "[Video]\r\nColor=4\r\nName=Ñ\r\n".encode("utf-16-le"),
        "utf16be": b"\xfe\xff" + "[Video]\r\nColor=4\r\n".encode("utf-16-be"),
        "blanks-and-case": b"  [ video ]  \nCOLOR = 7\n[VIDEO]\ncolor=8\n",
        "duplicate-sections": b"[A]\r\n[a]\r\nk=1\r\n[A]\r\nk=2\r\n",
        "no-sections": b"k=1\r\nRoms=x\r\n",
        "header-tricks": b"[a]b]\r\n[=x]\r\n[]\r\n=empty key\r\n[x\r\nk=v=w\r\n",
        "long-value": b"[Directorios]\r\nroms=" + b"x" * 2100 + b"\r\n",
        "nul": b"[Video]\x00\r\nColor=\x00 3\r\n",
        "mojibake": "[Directorios]\r\nRoms=/PokÃ©mon\r\n".encode(),
        "cr-only": b"[Video]\rColor=1\r\rx=2",
    }
    for name, data in seeds.items():
        put("settings", name, data)


def dataini_seeds():
    long_line = b"[" + b"x" * 253 + b"]" + b"tail" * 20
    seeds = {
        "titles": b"[Tetris]\r\nTitulo=Tetris DX\r\n\r\n[Zelda]\r\nTitulo=The Legend of Zelda\r\n\r\n",
        "codes": b"[TETRIS]\r\nC0=00A-17B-C49\r\nA0=1\r\nD0=Vidas\r\n\r\n",
        "case-duplicates": b"[Tetris]\r\nTitulo=1\r\n[TETRIS]\r\nTitulo=2\r\n",
        "lines-before-sections": b"loose=1\r\n\r\n[S]\r\nk=v\r\n",
        "long-lines": b"[S]\r\n" + b"k=" + b"v" * 300 + b"\r\n" + long_line + b"\r\n",
        "eof-char": b"[S]\r\n\x1a\r\nk=v\r\n\x1a",
        "mixed-ends": b"[S]\nk=v\r\r\nj=w\r[T]\nx",
        "unicode-case": "[𐐀]\r\nk=1\r\n[𐐨]\r\nk=2\r\n[ẞ]\r\nk=3\r\n[ß]\r\nk=4\r\n[İ]\r\nk=5\r\n[i̇]\r\nk=6\r\n".encode(),
        "windows1252": b"[Pok\xe9mon]\r\nTitulo=Pok\xe9mon Rojo\r\n",
        "utf16le": b"\xff\xfe" + "[Pokémon]\r\nTitulo=✓\r\n".encode("utf-16-le"),
        "header-only": b"[Empty]\r\n[Other]\r\n",
        "bracket-lines": b"[S]\r\n[]\r\n[x\r\nk=[v]\r\n",
    }
    for name, data in seeds.items():
        put("dataini", name, data)


def language_seeds():
    for name in ("english.cti", "español.cti"):
        with open(os.path.join(HERE, "..", "data", name), "rb") as f:
            put("language", name.replace("ñ", "n"), f.read())
    put("language", "short", b"uno\r\ndos\r\n")
    put("language", "binary", b"\x00\x01\x02" * 200)
    put("language", "markup", b"<b>x</b>\r\n<a href=\"http://example.com\">link</a>\r\n" * 70)
    put("language", "utf16", b"\xff\xfe" + ("línea\r\n" * 130).encode("utf-16-le"))


def cartridge_title_seeds():
    def rom(title, size=0x150, flag=None):
        data = bytearray(size)
        data[0x134:0x134 + len(title)] = title
        if flag is not None:
            data[0x143] = flag
        return bytes(data)
    put("cartridgetitle", "plain", rom(b"TETRIS"))
    put("cartridgetitle", "colour", rom(b"POKEMON YELLOW", flag=0x80))
    put("cartridgetitle", "full-title", rom(b"ABCDEFGHIJKLMNOP"))
    put("cartridgetitle", "control-bytes", rom(b"A\x01B\xffC\x7fD\x80"))
    put("cartridgetitle", "short", rom(b"CUT", size=0x136))
    put("cartridgetitle", "empty", b"")


def zip_member(name, data, method=zipfile.ZIP_STORED, attr=None, utf8=False):
    info = zipfile.ZipInfo(name, date_time=(2001, 2, 3, 4, 5, 6))
    info.compress_type = method
    if attr is not None:
        info.external_attr = attr
    if utf8:
        info.flag_bits |= 0x800
    return info, data


def make_zip(members):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as z:
        for info, data in members:
            z.writestr(info, data)
    return buffer.getvalue()


def raw_name_zip(raw_name, data, utf8_flag):
    """A stored member whose name bytes are written as given (zipfile would encode them)."""
    crc = zlib.crc32(data) & 0xFFFFFFFF
    flags = 0x800 if utf8_flag else 0
    local = struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, flags, 0, 0, 0x2A21, crc, len(data), len(data),
                        len(raw_name), 0) + raw_name + data
    central = struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, flags, 0, 0, 0x2A21, crc, len(data),
                          len(data), len(raw_name), 0, 0, 0, 0, 0o100644 << 16, 0) + raw_name
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 1, 1, len(central), len(local), 0)
    return local + central + end


def zip_seeds():
    rom = bytes(range(256)) * 2
    put("zip", "stored", make_zip([zip_member("Tetris.gb", rom)]))
    put("zip", "deflated", make_zip([zip_member("Tetris.gb", rom, zipfile.ZIP_DEFLATED),
                                     zip_member("leeme.txt", b"hola\r\n", zipfile.ZIP_DEFLATED)]))
    put("zip", "traversal", make_zip([zip_member("../escape.gb", b"x"), zip_member("/abs/path.gb", b"y"),
                                      zip_member("a\\..\\..\\win.gb", b"z"), zip_member("sub/dir/deep.gbc", b"w")]))
    put("zip", "link-and-folder-members", make_zip([zip_member("folder/", b"", attr=0o040755 << 16 | 0x10),
                                            zip_member("link.gb", b"/etc/passwd", attr=0o120777 << 16),
                                            zip_member("fifo", b"", attr=0o010644 << 16),
                                            zip_member("dot/..", b"d"), zip_member(".", b"e")]))
    put("zip", "utf8-name", make_zip([zip_member("Pokémon ✓.gb", b"p", utf8=True)]))
    put("zip", "invalid-utf8-name", raw_name_zip(b"bad\xff\xfe.gb", b"q", True))
    put("zip", "cp437-name", raw_name_zip(b"Pok\x82mon.gb", b"r", False))
    put("zip", "control-name", raw_name_zip(b"line\r\nbreak\t.gb", b"s", False))
    put("zip", "control-name-flagged-utf8", raw_name_zip(b"ctl\x07.gb", b"t", True))
    put("zip", "duplicates", make_zip([zip_member("same.gb", b"1"), zip_member("SAME.gb", b"2"),
                                       zip_member("x/same.gb", b"3")]))
    # A member that claims far more than it holds, and a deflate bomb of a few hundred kilobytes.
    put("zip", "bomb", make_zip([zip_member("big.gb", b"\0" * (400 * 1024), zipfile.ZIP_DEFLATED)]))
    damaged = bytearray(make_zip([zip_member("crc.gb", rom, zipfile.ZIP_DEFLATED)]))
    damaged[60] ^= 0xFF
    put("zip", "damaged", bytes(damaged))
    put("zip", "empty-archive", make_zip([]))


def dat_seeds():
    head = b'<?xml version="1.0"?>\n'
    doctype = (b'<!DOCTYPE datafile PUBLIC "-//Logiqx//DTD ROM Management Datafile//EN" '
               b'"http://www.logiqx.com/Dats/datafile.dtd">\n')
    game = (b'<game name="Tetris (World) (Rev 1)"><description>Tetris</description>'
            b'<rom name="Tetris (World) (Rev 1).gb" size="32768" crc="46df91ad" '
            b'sha1="74591cc9501af93873f9a5d3eb12da12c0723bbc"/></game>\n')
    put("dat", "no-intro", head + doctype + b"<datafile><header><name>Nintendo - Game Boy</name></header>\n" +
        game + b'<game name="Two"><rom crc="00000001" size="4"/><rom crc="00000001" size="5"/></game>\n'
        b"</datafile>\n")
    put("dat", "machine", head + b'<datafile><machine name="M"><rom crc="DEADBEEF" size="x" sha1="zz"/>'
        b"</machine></datafile>")
    put("dat", "entities", head + b'<!DOCTYPE datafile [<!ENTITY a "aaaa"><!ENTITY b "&a;&a;&a;">]>\n'
        b'<datafile><game name="&b;"><rom crc="1"/></game></datafile>')
    put("dat", "external-entity", head + b'<!DOCTYPE datafile [<!ENTITY s SYSTEM "file:///etc/passwd">]>'
        b'<datafile><game name="&s;"/></datafile>')
    put("dat", "not-xml", b"\x7fELF\x02\x01\x01")
    put("dat", "cut", (head + doctype + b"<datafile>" + game)[:150])
    put("dat", "in-zip", make_zip([zip_member("gb.dat", head + b"<datafile>" + game + b"</datafile>",
                                              zipfile.ZIP_DEFLATED)]))


def zipdirectory_seeds():
    rom = bytes(range(256)) * 2
    put("zipdirectory", "one-rom", make_zip([zip_member("Tetris.gb", rom, zipfile.ZIP_DEFLATED)]))
    put("zipdirectory", "several", make_zip([zip_member("a.gb", b"1"), zip_member("b/", b"", attr=0o040755 << 16),
                                             zip_member("c.gbc", rom, zipfile.ZIP_DEFLATED)]))
    commented = bytearray(make_zip([zip_member("x.gb", b"x")]))
    commented[-2:] = struct.pack("<H", 5)
    put("zipdirectory", "comment", bytes(commented) + b"hello")
    put("zipdirectory", "prefixed", b"MZ" + b"\0" * 100 + make_zip([zip_member("y.gb", b"y")]))
    put("zipdirectory", "cp437-name", raw_name_zip(b"Pok\x82mon.gb", b"r", False))
    put("zipdirectory", "empty-archive", make_zip([]))


def bmp(width, height, bits, rows, palette=b"", compression=0, top_down=False, image_size=None):
    pixels = b"".join(rows)
    offset = 14 + 40 + len(palette)
    size = offset + len(pixels)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, compression,
                       len(pixels) if image_size is None else image_size, 2835, 2835, len(palette) // 4, 0)
    return struct.pack("<2sIHHI", b"BM", size, 0, 0, offset) + info + palette + pixels


def bitmap_seeds():
    def rows(width, height, bits):
        stride = (width * bits + 31) // 32 * 4
        return [bytes((x * 7 + y * 13) & 0xFF for x in range(stride)) for y in range(height)]
    grey = b"".join(bytes((i, i, i, 0)) for i in range(256))
    put("bitmap", "24bit", bmp(16, 8, 24, rows(16, 8, 24)))
    put("bitmap", "32bit-top-down", bmp(8, 8, 32, rows(8, 8, 32), top_down=True))
    put("bitmap", "16bit", bmp(8, 4, 16, rows(8, 4, 16)))
    put("bitmap", "8bit", bmp(10, 10, 8, rows(10, 10, 8), grey))
    put("bitmap", "4bit", bmp(10, 6, 4, rows(10, 6, 4), grey[:64]))
    put("bitmap", "1bit", bmp(33, 3, 1, rows(33, 3, 1), grey[:8]))
    rle8 = bytes([4, 1, 0, 3, 5, 6, 7, 0, 0, 0, 0, 0, 2, 2, 1, 3, 9, 0, 0, 0, 1])
    put("bitmap", "rle8", bmp(8, 4, 8, [rle8], grey, compression=1))
    rle4 = bytes([4, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 1, 0, 1])
    put("bitmap", "rle4", bmp(8, 4, 4, [rle4], grey[:64], compression=2))
    core = struct.pack("<IHHHH", 12, 4, 2, 1, 24) + bytes(range(24))
    put("bitmap", "os2-core", struct.pack("<2sIHHI", b"BM", 26 + 24, 0, 0, 26) + core)
    put("bitmap", "cut-short", bmp(16, 16, 24, rows(16, 16, 24))[:300])
    put("bitmap", "huge-claim", bmp(60000, 60000, 8, [b"\0\1\0\0"], grey, compression=1, image_size=4))


def jpeg_seeds():
    width, height = 24, 16
    ppm = b"P6\n%d %d\n255\n" % (width, height) + bytes(
        ((x * 10) & 0xFF, (y * 15) & 0xFF, ((x + y) * 5) & 0xFF)[c] for y in range(height) for x in range(width)
        for c in range(3))
    pgm = b"P5\n%d %d\n255\n" % (width, height) + bytes((x * y) & 0xFF for y in range(height) for x in range(width))
    variants = {
        "baseline": (ppm, ["-quality", "75", "-baseline"]),
        "progressive": (ppm, ["-progressive"]),
        "grey": (pgm, ["-grayscale"]),
        "restart": (ppm, ["-restart", "1", "-optimize"]),
        "subsampled": (ppm, ["-sample", "2x2"]),
        "arithmetic": (ppm, ["-arithmetic"]),
        "low-quality": (ppm, ["-quality", "1"]),
    }
    for name, (source, args) in variants.items():
        data = subprocess.run(["cjpeg"] + args, input=source, capture_output=True, check=True).stdout
        put("jpeg", name, data)
    put("jpeg", "cut-short", subprocess.run(["cjpeg"], input=ppm, capture_output=True, check=True).stdout[:200])


def tile_picture_seeds():
    # The tile pictures read both formats: the seeds of both decoders.
    for source in ("bitmap", "jpeg"):
        folder = os.path.join(CORPUS, source)
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), "rb") as f:
                put("tilepicture", source + "-" + name, f.read())


if __name__ == "__main__":
    text_seeds()
    settings_seeds()
    dataini_seeds()
    language_seeds()
    cartridge_title_seeds()
    zip_seeds()
    bitmap_seeds()
    jpeg_seeds()
    tile_picture_seeds()
    dat_seeds()
    zipdirectory_seeds()
