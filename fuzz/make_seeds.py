#!/usr/bin/env python3
"""Writes the small seed inputs under fuzz/corpus/NAME/, one folder per fuzz target.

Every seed is made here from scratch: a few bytes that reach each reader's main paths
(escape sequences, record trailers, each DEFLATE block type, each PNG colour type), so the
fuzzer starts past the first checks. Run it again after changing a seed; the output is
the same on every run.
"""
import json
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def write(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def field(text, width):
    raw = text.encode("cp437")[:width]
    return raw + b" " * (width - len(raw))


def sauce(comments=(), width=80, rows=3, flags=0x01, body_size=0, font="IBM VGA"):
    record = b"SAUCE00" + field("Seed", 35) + field("glyphloom", 20) + field("", 20) + b"20260101"
    record += struct.pack("<IBBHHHHBB", body_size, 1, 1, width, rows, 0, 0, len(comments), flags)
    record += font.encode("ascii").ljust(22, b"\0")
    assert len(record) == 128
    block = b""
    if comments:
        block = b"COMNT" + b"".join(field(c, 64) for c in comments)
    return b"\x1a" + block + record


def ans_seeds():
    esc = "\x1b["
    yield "plain.ans", b"Hello\r\nworld\r\n"
    yield "colours.ans", (esc + "0;1;31;44mred" + esc + "0;5;32;47mblink" + esc + "38;5;208mx"
                          + esc + "48;2;10;20;30my" + esc + "0m\r\n").encode()
    yield "cursor.ans", (esc + "2J" + esc + "5;10Hat" + esc + "3Cright" + esc + "2Ddown" + esc + "B"
                         + esc + "s" + esc + "A" + esc + "u" + esc + "K" + "\t|\r\n").encode()
    yield "cp437.ans", bytes([0xB0, 0xB1, 0xB2, 0xDB, 0xDC, 0xDF, 0xC9, 0xCD, 0xBB, 13, 10])
    yield "utf8.ans", "e\u0301 \u2588\u2591 \U0001F600 \u00e9\r\n".encode("utf-8")
    body = b"\x1b[1;33mSAUCE'd\x1b[0m\r\n"
    yield "record.ans", body + sauce(("first comment", "second"), width=40, rows=2, body_size=len(body))
    yield "wide.ans", (esc + "1;200H" + "w" + esc + "60;1H" + "deep\r\n").encode()
    yield "truecolour-t.ans", (esc + "1;255;102;106t" + esc + "0;191;0;5t" + "\u2584" + esc + "8;25;80t"
                               + "x\r\n").encode("utf-8")
    yield "credits.ans", (esc + "0mart\r\n" + "r" * 100 + "\r\nend\r\n").encode() + b"\x1a\r\nby someone\r\n"


def sauce_seeds():
    yield "bare.bin", sauce()
    yield "comments.bin", b"art" + sauce(("one", "two", ""), body_size=3)
    yield "ice.bin", b"x" * 10 + sauce(width=132, rows=50, flags=0x1F, body_size=10, font="IBM EGA43")


def inflate_seeds():
    def raw(data, level=9, strategy=zlib.Z_DEFAULT_STRATEGY):
        c = zlib.compressobj(level, zlib.DEFLATED, -15, 9, strategy)
        return c.compress(data) + c.flush()

    text = b"glyphloom " * 40 + bytes(range(256))
    yield "stored.bin", raw(text, level=0)
    yield "fixed.bin", raw(b"abcabcabcabc", strategy=zlib.Z_FIXED)
    yield "dynamic.bin", raw(text)
    yield "runs.bin", raw(b"\0" * 3000, strategy=zlib.Z_RLE)
    yield "empty.bin", raw(b"")


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(width, height, depth, colour, rows, extra=b"", interlace=0):
    header = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, interlace)
    data = b"".join(rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra + chunk(b"IDAT", zlib.compress(data))
            + chunk(b"IEND", b""))


def png_seeds():
    yield "rgb.png", png(2, 2, 8, 2, [b"\0" + bytes([255, 0, 0, 0, 255, 0]), b"\1" + bytes([0, 0, 255, 9, 9, 9])])
    yield "rgba.png", png(1, 2, 8, 6, [b"\0" + bytes([1, 2, 3, 128]), b"\2" + bytes([4, 5, 6, 7])])
    yield "gray.png", png(3, 1, 8, 0, [b"\3" + bytes([0, 128, 255])])
    yield "gray_alpha.png", png(2, 1, 8, 4, [b"\4" + bytes([10, 255, 200, 0])])
    yield "palette.png", png(4, 1, 2, 3, [b"\0" + bytes([0b00011011])],
                             extra=chunk(b"PLTE", bytes([0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255]))
                             + chunk(b"tRNS", bytes([0, 128])))
    yield "gray16.png", png(1, 1, 16, 0, [b"\0" + bytes([0x12, 0x34])])
    yield "interlaced.png", png(2, 2, 8, 0, [b"\0\x40", b"\0\x50", b"\0\x80\x90"], interlace=1)
    yield "gray1.png", png(8, 1, 1, 0, [b"\0\xA5"])


def preset_seeds():
    pen = {"name": "Pen", "character": "#", "tool": "pen", "brushSize": 2,
           "foreground": {"type": "ansi16", "n": 12}, "background": {"type": "truecolor", "r": 1, "g": 2, "b": 3},
           "foregroundCycle": True, "fgCycleColors": [{"type": "ansi256", "n": 200}, 3], "fgCycleStep": 1,
           "charCycleChars": ["a", "\u2588"], "charCycleWrap": False}
    yield "bank.json", json.dumps([pen, None, {"name": "Empty"}, {"brushSize": "wrong"}])
    yield "empty.json", "[]"
    yield "deep.json", "[null," + "[" * 6000 + "]" * 6000 + "]"
    yield "lines.json", json.dumps([{"tool": "line", "lineDrawStyle": "double", "lineThickness": 3,
                                     "boxStyle": "heavy", "boxFilled": True}])


def preset_strict_seeds():
    pen = {"name": "Pen", "character": "#", "tool": "pen", "brushSize": 2,
           "foreground": {"type": "ansi16", "n": 12}, "fgCycleColors": [{"type": "ansi256", "n": 200}]}
    yield "good.json", json.dumps([pen, None, {"name": "Empty"}])
    yield "one_bad.json", json.dumps([pen, {"brushSize": "wrong"}])
    yield "not_object.json", json.dumps([None, 12, "text"])
    yield "shapes.json", json.dumps([{"tool": "oval", "ovalDrawMode": {"type": "lines", "style": "double"},
                                       "shapeFillTUI": {"enabled": True}, "textTypeDirection": "down"}])
    # The compiled-in bank's slots, the text this decoder exists for.
    source = os.path.join(os.path.dirname(ROOT), "..", "src", "core", "format", "builtin_presets.cpp")
    with open(source, encoding="utf-8") as f:
        text = f.read()
    start = text.index('R"json(') + len('R"json(')
    yield "builtin_slots.json", text[start:text.index(')json"', start)]


def input_seeds():
    # Each read is one control byte (low six bits: length - 1, top bit: the buffer was full)
    # and then that many bytes of terminal input.
    def reads(*parts, full=False):
        out = b""
        for part in parts:
            out += bytes([(len(part) - 1) | (0x80 if full else 0)]) + part
        return out

    yield "keys.bin", reads(b"a\x1b[A\x1b[B\x1bOP\x1b[15~\x7f\t\r")
    yield "mouse.bin", reads(b"\x1b[<0;10;5M\x1b[<0;11;5m", b"\x1b[<32;12;6M\x1b[<64;1;1M")
    yield "split.bin", reads(b"\x1b[", b"<0;3", b";4M", b"\xe2\x96", b"\x88")
    yield "paste.bin", reads(b"\x1b[200~pasted text\x1b[201~")
    yield "alt.bin", reads(b"\x1bx\x1b\x1b[1;5C\xc3\xa9", full=True)


def document_seeds():
    yield "minimal.json", '{"version":5,"columns":10,"rows":4,"layers":[{"name":"L","visible":true,"cells":[]}]}'
    # Nesting far past what the readers take, in a carried key.
    yield "deep_presets.json", '{"version":5,"columns":4,"rows":2,"presets":' + "[" * 6000 + "]" * 6000 + "}"
    yield "long_lists.json", ('{"version":5,"columns":4,"rows":2,"sauceComments":[' + ",".join(['"c"'] * 300)
                              + '],"sourceSauce":{"title":"t","tInfo1":80,"comments":["a",1]}}')


def figlet_seeds():
    yield "tiny.flf", "flf2a$ 2 1 8 0 1\ncomment\n#@\n#@@\n"


def tdf_record(glyph, font_type=1):
    block = bytes(glyph)
    header = b"\x55\xaa\x00\xff" + bytes([4]) + b"Seed".ljust(12, b"\0") + bytes(4)
    header += bytes([font_type, 1]) + struct.pack("<H", len(block))
    # Every character points at the same glyph.
    header += struct.pack("<94H", *([0] * 94))
    return header + block


def tdf_seeds():
    yield "header.tdf", b"\x13TheDraw FONTS file\x1a"
    signature = b"\x13TheDraw FONTS file\x1a"
    yield "block.tdf", signature + tdf_record(b"\x02\x02AB\rCD\x00")
    # Declared 1 x 1, holding thousands of rows.
    yield "tall_glyph.tdf", signature + tdf_record(b"\x01\x01" + b"X\r" * 5000 + b"\x00")


def zip_seeds():
    yield "empty.zip", b"PK\x05\x06" + bytes(18)


def binary_record(width, flags=0):
    """A SAUCE trailer for a BinaryText picture: the file type holds half the width."""
    record = b"SAUCE00" + field("Seed", 35) + field("", 20) + field("", 20) + b"20260101"
    record += struct.pack("<IBBHHHHBB", 0, 5, width // 2, 0, 0, 0, 0, 0, flags)
    record += b"IBM VGA".ljust(22, b"\0")
    return b"\x1a" + record


def pairs(count, start=0):
    return b"".join(bytes([0x41 + (start + i) % 26, (start + i) * 7 % 256]) for i in range(count))


VGA = bytes([0, 0, 0, 0, 0, 42, 0, 42, 0, 0, 42, 42, 42, 0, 0, 42, 0, 42, 42, 21, 0, 42, 42, 42,
             21, 21, 21, 21, 21, 63, 21, 63, 21, 21, 63, 63, 63, 21, 21, 63, 21, 63, 63, 63, 21, 63, 63, 63])


def xbin_seeds():
    def header(width, height, flags, font_height=16):
        return b"XBIN\x1a" + struct.pack("<HHBB", width, height, font_height, flags)
    yield "plain.xb", header(8, 2, 0) + pairs(16)
    runs = bytes([0x01, 65, 7, 66, 0x1E, 0x42, 67, 7, 0x1E, 0x4C, 0x82, 0x2F, 68, 69, 70, 0xC3, 71, 0x96])
    yield "runs.xb", header(12, 1, 0x04) + runs
    yield "palette_font.xb", header(4, 2, 0x0B, 2) + VGA[:45] + b"\x3f\x00\x00" + bytes(512) + pairs(8)
    yield "fivetwelve.xb", header(4, 1, 0x12, 1) + bytes(512) + pairs(4)
    yield "record.xb", header(4, 1, 0) + pairs(4) + binary_record(40)


def binary_text_seeds():
    yield "plain.bin", pairs(160)
    yield "eighty.bin", pairs(240)
    yield "record.bin", pairs(30) + binary_record(20, flags=1)


def artworx_seeds():
    yield "picture.adf", b"\x01" + VGA + bytes(192 - 48) + bytes(4096) + pairs(100)


def ice_draw_seeds():
    header = b"\x041.4" + struct.pack("<HHHH", 0, 0, 9, 1)
    yield "runs.idf", header + pairs(3) + b"\x01\x00\x05\x00Z\x1f" + pairs(4) + bytes(4096) + VGA
    yield "short.idf", header + pairs(5)


def pcboard_seeds():
    yield "codes.pcb", b"@CLS@@X1Ehello @X9Fworld@X07\r\n@POS:20@there@CLREOL@@PAUSE@\n@USER@\x1a"
    yield "ansi.pcb", b"@X0F\x1b[2;5Hx\x1b[1;31my" + b"=" * 80 + b"\nend"


def avatar_seeds():
    yield "codes.avt", (b"\x0chello\x16\x01\x1e\x19-\x08\x16\x02blink\x16\x03\x16\x04\x16\x05\x16\x06"
                        b"\x16\x07\x16\x08\x05\x0aQ\x16\x19\x02<>\x03\x16\x0a\x01\x02\x03\x04\x05\r\n\x1a")


def tundra_seeds():
    def position(row, col):
        return b"\x01" + struct.pack(">II", row, col)
    yield "commands.tnd", (b"\x18TUNDRA24" + position(0, 0) + b"ab\x02c\xff\xff\x57\xff\x04d\xff\x00\x00\xab"
                           + b"\x06e\xff\x01\x02\x03\xff\x04\x05\x06" + position(3, 70) + b"x" * 20)


def main():
    for target, seeds in (("ans_import_fuzz", ans_seeds), ("sauce_fuzz", sauce_seeds),
                          ("inflate_fuzz", inflate_seeds), ("png_decode_fuzz", png_seeds),
                          ("preset_bank_fuzz", preset_seeds), ("preset_bank_strict_fuzz", preset_strict_seeds),
                          ("input_decoder_fuzz", input_seeds),
                          ("drawing_file_fuzz", document_seeds), ("figlet_reader_fuzz", figlet_seeds),
                          ("tdf_reader_fuzz", tdf_seeds), ("zip_fuzz", zip_seeds),
                          ("xbin_reader_fuzz", xbin_seeds), ("binary_text_reader_fuzz", binary_text_seeds),
                          ("artworx_reader_fuzz", artworx_seeds), ("ice_draw_reader_fuzz", ice_draw_seeds),
                          ("pcboard_reader_fuzz", pcboard_seeds), ("avatar_reader_fuzz", avatar_seeds),
                          ("tundra_reader_fuzz", tundra_seeds)):
        for name, data in seeds():
            write(target, name, data)


if __name__ == "__main__":
    main()
