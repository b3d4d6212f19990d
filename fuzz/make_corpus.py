#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/<target>/.

The seeds are small on purpose (a few hundred bytes each): libFuzzer grows its
own corpus from them, and the normal build replays exactly these files in
CTest. Every seed is a file the program might meet: the lines it writes, lines
edited by hand, damaged ones, and the edge bytes of code page 932. The first
byte of a seed of playlog, history, recordline and settings is a selector
(block size, game, number form, game), as the targets read it.

Usage: python3 fuzz/make_corpus.py   (rewrites the folders; needs nothing but Python)
"""
import os
import shutil

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def sj(text):
    return text.encode("cp932")


def crlf(*lines):
    """The lines (texts in code page 932, or bytes) each followed by CR LF."""
    return b"".join((sj(l) if isinstance(l, str) else l) + b"\r\n" for l in lines)


GAME_LINE = '"2007/12/30","23:59:59","数字記憶",42.5,"暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%",'
REWRITE_LINE = '"2007/12/31","00:00:00","画像記憶",12.5,"今日は調子がいい、まあまあ",""'
BOM = b"\xef\xbb\xbf"

# Code page 932 bytes at the edges: half-width katakana, the NEC row 13 and
# its duplicates, NEC-selected IBM (ED/EE) and IBM (FA-FC) extensions, the
# user-defined area, bytes that are never characters, a lead byte at the end,
# lead bytes followed by bytes that cannot be their second byte, and 0x5C as
# the second byte of ソ and 表.
CP932_EDGES = {
    "ascii": b"hello, \"world\"\t1,2.5,-3\r\n",
    "kanji": sj("数字記憶、画像記憶、アイコン衰弱。ﾊﾝｶｸｶﾅ") + b"\r\n",
    "halfwidth": bytes(range(0xA1, 0xE0)),
    "nec_row13": b"\x87\x40\x87\x54\x87\x5f\x87\x90\x87\x91\x87\x9a\x87\x9b\x87\x9c\x81\xe0\x81\xdf\x81\xe6",
    "ibm_ext": b"\xfa\x40\xfa\x4a\xfa\x54\xfa\x55\xfa\x57\xfa\x5b\xfb\x40\xfc\x4b",
    "nec_selected_ibm": b"\xed\x40\xed\xfc\xee\xef\xee\xf9\xee\xfa\xee\xfc",
    "user_defined": b"\xf0\x40\xf0\xfc\xf9\x40\xf9\xfc",
    "never_chars": b"\x80\xa0\xfd\xfe\xff\x85\x40\x86\x9f\xeb\x40",
    "cut_lead_at_end": b"abc\x93",
    "lone_lead": b"\x82",
    "bad_trails": b"\x81\x22\x81,\x81\x7f\x81\xfd\x81\x0d\x0a\x82\x0a",
    "sjis_5c": sj("ソ表能予") + b"\\\\",
    # 15 ASCII bytes then a kanji: the end of the first block of sixteen
    # falls inside the character; then 40 bytes of ASCII with one kanji.
    "block_edges": b"0123456789abcde" + sj("字") + b"0123456789012345678901234567890123456789" + sj("字") + b"x",
    # Read as UTF-16 by the encoder half: ～ 〜 ¥ ‾ ‖ ∥ − －, then a lone
    # high surrogate, then a character code page 932 lacks (€).
    "utf16_tilde": "～〜¥‾‖∥−－".encode("utf-16-le"),
    "utf16_lone_surrogate": "ab".encode("utf-16-le") + b"\x00\xd8" + "c".encode("utf-16-le"),
    "utf16_euro": "価格€".encode("utf-16-le"),
    "utf8_mark": BOM + "ヘルプツアー".encode("utf-8"),
    "empty": b"",
}

RECORDLINE = {
    "game_line": b"\x00" + sj(GAME_LINE),
    "rewrite_line": b"\x01" + sj(REWRITE_LINE),
    "quotes": b"\x02" + b'"a""b",c,"unterminated',
    "after_quote": b"\x00" + b'"ab"cd,  "x" , ef ,',
    "blanks": b"\x01" + b"  12 ,\t\"x\"\t,  , ",
    "numbers": b"\x02" + b"1e5,.5,-0,+3,99999999999999999999,8589975000,1.0000001,0.1000000001,1.,-.",
    "numbers_int": b"\x00" + b"2147483647,2147483648,-2147483649,007,  -12abc",
    "commas": b"\x01" + b",,,",
    "line_breaks": b"\x02" + b'"a\rb",c\r,"d\ne"\r\n',
    "cut_char_before_quote": b"\x00" + b'"\x82",1,"\x93"',
    "fullwidth_quote": b"\x01" + sj('"＂引用＂",１２,"、"'),
    "half_width": b"\x02" + b'"\xb1\xb2\xb3",\xb4,\xdf',
}

LOG_CUT = sj('"2020/01/01","08:00:')
LOG_CUT_IN_CHAR = sj('"2020/01/01","08:00:00","数字記憶",10,"') + sj("正")[:1]
PLAYLOG = {
    # The views fixture, normal block size and 4-byte blocks.
    "views_normal": b"\x00" + crlf(
        GAME_LINE, REWRITE_LINE, '"2007/12/31","09:59:59","数字記憶",0.5,"",',
        '"2008/02/29","12:00:00","独自の練習",30,"一つのゲームではない練習",""'),
    "views_small_blocks": b"\x83" + crlf(GAME_LINE, REWRITE_LINE, '"2008/03/02","00:00:00","バラバラ記憶",7,"",'),
    "cut_record": b"\x00" + crlf(GAME_LINE) + LOG_CUT,
    "cut_in_char": b"\x81" + crlf(GAME_LINE) + LOG_CUT_IN_CHAR,
    "whole_without_line_end": b"\x00" + crlf(GAME_LINE) + sj(REWRITE_LINE),
    "blank_lines_lf": b"\x85" + b"\n  \r\n" + sj(GAME_LINE) + b"\n\n\t\n",
    "lone_cr": b"\x00" + sj(GAME_LINE) + b"\r" + sj(REWRITE_LINE) + b"\r\n",
    "garbled_comment": b"\x82" + sj('"2008/01/01","10:00:00","追跡記憶",3,"') + b"\x80\xff\x81" + b'",\r\n',
    "utf8_mark": b"\x00" + BOM + ("\r\n".join([GAME_LINE, REWRITE_LINE]) + "\r\n").encode("utf-8"),
    "utf8_mark_not_cp932": b"\x00" + BOM + '"2008/01/01","10:00:00","数字記憶",1,"€ と ☃",\r\n'.encode("utf-8"),
    "utf8_mark_cut": b"\x90" + BOM + GAME_LINE.encode("utf-8") + b"\r\n" + '"2020/01/01","08'.encode("utf-8"),
    "short_lines": b"\x00" + b'"2008/01/01"\r\n,,,\r\n"x","y","z","w"\r\n',
    "big_seconds": b"\x00" + crlf('"2008/01/01","10:00:00","数字記憶",8589975000,"",',
                                  '"2008/01/01","10:00:01","数字記憶",1.0000001,"",'),
    "empty": b"\x00",
}

HISTORY = {
    # 0 number memory, 1 image memory, 2 icon concentration, 3 tracking,
    # 4 time lag, 5 cycle, 6 scrambled, 7 icon records.
    "number_memory": b"\x00" + crlf('"2026/12/07","14:05:33","8桁",0.5,8,6,"75.0%"',
                                    '"2026/12/06","09:00:00","12桁",1,12,12,"100.0%"'),
    "image_memory": b"\x01" + crlf('"2026/12/07","14:05:33","日本",8,10,"6","75.0%"'),
    "icon_concentration": b"\x02" + crlf('"2026/12/07","14:05:33","ノーマル",,"25","34.5",,"新記録"'),
    "tracking": b"\x03" + crlf('"2026/12/07","14:05:33",5,3,0.5,"3回目","ok"'),
    "time_lag": b"\x04" + crlf('"2026/12/07","14:05:33",20,60,18,2,"秒数","2回","90.0%","45.5秒"'),
    "cycle": b"\x05" + crlf('"2026/12/07","14:05:33",20,60,18,2,"答数","x","y",3'),
    "scrambled": b"\x06" + crlf('"2026/12/07","14:05:33",10,60,9,1,"答数","0.5","90.0%"'),
    "icon_records": b"\x07" + crlf('25,"34.5"', '9999,"9999"', '40,"120.25"', "9999,\"9999\""),
    "icon_records_damaged": b"\x07" + crlf('abc,"34.5"', '0,"0"', '25', '+7,"+5"', '1,"1"'),
    "short_and_long_lines": b"\x03" + crlf('"only"', ",".join(['"f"'] * 14), ""),
    "utf8_mark": b"\x00" + BOM + '"2026/12/07","14:05:33","8桁",0.5,8,6,"75.0%"\r\n"☃"\r\n'.encode("utf-8"),
    "garbled": b"\x04" + b'"2026/12/07",\x81\x22,"\xff"\r\n' + b'\x93',
    "numbers_edge": b"\x00" + crlf('"d","t","x",1e309,99999999999,-0.0000000001,"a"'),
}

SETTINGS = {
    # The first byte chooses the game (0 … 6 as in HISTORY); the same bytes
    # are also the help-tour file, the name record and the memo.
    "number_memory": b"\x00" + crlf("8,0.5,1"),
    "image_memory_kept": b"\x01" + crlf('8,10,1,"",1'),
    "icon_concentration": b"\x02" + crlf('"ノーマル",1,1,0.5,0.5'),
    "tracking_kept": b"\x03" + crlf('"a,b",0.5,1'),
    "time_lag": b"\x04" + crlf('20,60,"2回","秒数",1'),
    "cycle_out_of_range": b"\x05" + crlf('0,999,"?",2'),
    "scrambled_floats": b"\x06" + crlf('10,60.00000001,1.0000001,"答数",1'),
    "blank_first": b"\x00" + b"\r\n  \r\n" + crlf("12,30,0"),
    "help_tour_off": b"\x01" + crlf('"ヘルプツアー",0'),
    "help_tour_garbled": b"\x02" + crlf('"ヘルプツアー",x'),
    "name": b"\x03" + crlf('"氏名","山田 太郎"'),
    "name_with_quote": b"\x04" + crlf('"氏名",山田"太郎'),
    "name_utf8_not_cp932": b"\x05" + BOM + '"氏名","Zoë ☃"\r\n'.encode("utf-8"),
    "memo_lines": b"\x06" + b"line one\r\n\r\n" + sj("二行目") + b"\rthird\nfourth",
    "memo_garbled": b"\x00" + b"abc\x80\r\n",
    "memo_utf8_separators": b"\x01" + BOM + "a\u2028b\u2029c\r\n".encode("utf-8"),
    "kept_unterminated": b"\x01" + b'8,10,1,"abc',
    "empty": b"\x00",
}


def write(target, seeds):
    folder = os.path.join(ROOT, target)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def main():
    write("cp932", CP932_EDGES)
    write("recordline", RECORDLINE)
    write("playlog", PLAYLOG)
    write("history", HISTORY)
    write("settings", SETTINGS)


if __name__ == "__main__":
    main()
