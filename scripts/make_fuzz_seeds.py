#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora: worked frames and blocks of the protocol, whole
conversations with a device, firmware package texts, image names, files and preferences, a few
broken ones of each."""
import pathlib

ROOT = pathlib.Path(__file__).resolve().parent.parent / "fuzz" / "seeds"

REPLIES = {
    "positive_empty": "02 F0 F0",
    "refusal_empty": "02 E0 E0",
    "identify_short": "02 F3 82 16 00 67",
    "identify_hw": "02 F4 04 78 17 00 03 9C",
    "noise_then_reply": "00 55 FF 02 F3 82 16 00 67",
    "doubled": "02 F1 02 02 F3",
    "two_length_bytes": "02 F8 01 00 " + "AA " * 256 + "F9",
    "oversized": "02 F8 10 01 00",
    "restart_mid_frame": "02 F4 04 78 17 02 F3 82 16 00 67",
}


WORKED_82 = (
    "00 00 00 00 90 3B 07 00 02 01 02 01 00 00 00 00 00 00 01 00 01 00 00 01 00 00 01 00 00 01 "
    "00 00 00 00 20 00 30 00 31 00 B8 0B 01 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 01 01 00 00 00 80 80 80"
)
DEVICE_82 = (
    "52 31 00 05 03 A4 90 B8 07 00 01 00 01 04 03 0C B2 34 12 1F 21 43 65 87 4E 00 FF FF C9 02 "
    "01 02 E8 03 CD AB 53 E9 00 00 01 01 01 02 01 40 1F 04 1E 1F 01 21 22 23 24 6B 00 26 25 27 "
    "28 29 61 2E 64 67 31 00 2B 2C 2D 2E 2F 30 31 78 00 00 79 7A 00 35 36 37 45 00 54 00 00 02 "
    "3C 3D 01 10 20 30"
)
BLOCKS_82 = {
    "worked": WORKED_82,
    "device": DEVICE_82,
    "cut_in_number": DEVICE_82[: 8 * 3],
    "cut_in_text": DEVICE_82[: 66 * 3],
    "unprintable_texts": "22 0A 7F AD A0 00 " + WORKED_82[3:],
}

WORKED_78 = (
    "50 46 5A 4A 00 31 00 00 01 00 01 00 00 00 00 DA 01 02 01 02 01 00 FF 20 00 30 00 31 00 B8 "
    "0B 01 01 00 01 00 00 00 00 02 80 80 80 01 00 D0 0E 00 00"
)
DEVICE_78 = (
    "50 46 5A 4A 5A 3D 00 52 65 66 00 34 12 02 00 E5 77 02 F2 01 02 01 02 01 03 8F 00 01 01 01 "
    "02 01 40 1F 01 05 00 1A 20 55 6E 65 00 52 E9 73 65 61 75 00 00 02 80 70 60 1B 20 90 0F 04 01"
)
BLOCKS_78 = {
    "worked": WORKED_78,
    "device": DEVICE_78,
    "older": "50 46 5A 4A 5A 37 00" + DEVICE_78[7 * 3 - 1 : 55 * 3 - 1],
    "length_beyond_data": "50 46 5A 4A 5A FF FF" + DEVICE_78[7 * 3 - 1 : 55 * 3 - 1],
    "signature_only": "50 46 5A 4A",
    "bad_signature": "50 46 5A 4B" + WORKED_78[4 * 3 - 1 :],
}

DIGEST = "0123456789abcdef0123456789ABCDEF"
LINE = "768 4 4 1447382351 8 24 L System system.bin " + DIGEST

MODULE_TABLES = {
    "one_entry": LINE + "\r\n",
    "seven_entries": (LINE + "\n") * 7,
    "empty_line_stops": LINE + "\n\n" + LINE + "\n",
    "empty_first_line": "\n" + LINE,
    "runs_of_spaces_and_tabs": "   769  0\t4 1 -4 +23 xLx  Enc  enc.bin  " + DIGEST + "  more\n",
    "missing_fields": "770 0 0\n",
    "huge_numbers": "99999999999999 -99999999999 300 -1 4294967296 256 L a b c\n",
}

DIGEST_LINES = {
    "upper": DIGEST.upper() + "\r\n",
    "lower_no_newline": DIGEST.lower(),
    "trailing_space": DIGEST + " \n",
    "empty": "",
    "two_lines": "\n" + DIGEST + "\n",
}

IMAGE_NAMES = {
    "release": "KORALIN_23_release_" + DIGEST + ".bin",
    "exempt": "KORALIN_99_x.bin",
    "lower_case_word": "koralin_23_" + DIGEST + ".bin",
    "no_underscore": "KORALIN23.bin",
    "signed_version": "KORALIN_-5" + DIGEST + ".BIN",
    "short": "KORALIN_",
}


# Configuration files: the first byte picks the model (odd 0x82, even 0x78), the rest is the file.
CONFIGURATIONS = {
    "worked_82": "01 " + WORKED_82,
    "device_82": "01 " + DEVICE_82,
    "cut_82": "01 " + DEVICE_82[: 70 * 3],
    "worked_78": "00 " + WORKED_78,
    "older_78": "00 " + BLOCKS_78["older"],
    "bad_signature_78": "00 " + BLOCKS_78["bad_signature"],
    "cut_78": "00 " + WORKED_78[: 20 * 3],
    "beyond_buffer_82": "01 " + WORKED_82 + " 00" * 4100,
    "empty_78": "00",
}

# ".iqc" files: the count byte, then six bytes a row.
IQ_ROW = "DA 01 04 27 10 27 "
IQ_FILES = {
    "empty_table": "00",
    "two_rows": "02 " + IQ_ROW + "5A 03 13 27 0D 27",
    "full_table": "64 " + IQ_ROW * 100,
    "one_byte_short": "02 " + IQ_ROW + "5A 03 13 27 0D",
    "count_101": "65 " + IQ_ROW * 101,
    "trailing_bytes": "01 " + IQ_ROW + "FF FF",
}


# "pref.txt": its first line's first two characters pick the interface language.
PREFERENCES = {
    "english": "EN\n",
    "german_and_more": "DE and more\nFR\n",
    "spanish_crlf": "ES\r\n",
    "lower_case": "fr\n",
    "leading_space": " IT\n",
    "one_character": "P",
    "empty_first_line": "\nFR\n",
    "utf16_with_mark": "\xff\xfeF\x00R\x00",
    "empty": "",
}


# UTF-8 as typed on the command line: plain, accented, four-byte, and broken forms.
UTF8_TEXTS = {
    "plain": "VEMO 1".encode(),
    "accented": "Réseau été".encode(),
    "four_bytes": "TV \U0001F4FA".encode(),
    "overlong": b"\xc0\xaf",
    "surrogate": b"\xed\xa0\x80",
    "cut_short": b"R\xc3",
    "beyond_unicode": b"\xf4\x90\x80\x80",
}

# NAME=VALUE operands of `vemo set`, one a line.
TYPED_VALUES = {
    "numbers": "frequency=602000\nts-id=7\nvideo-bitrate=9000\n",
    "lists": "bandwidth=8 MHz\nconstellation=2\ncode-rate=3/4\ndefault-country=POLSKI\n",
    "texts": "service-name=Réseau\nnetwork-name=\neit-text=" + "x" * 101 + "\n",
    "out_of_range": "frequency=0\npmt-pid=9000\nversion=32\nts-id=-1\n",
    "not_numbers": "frequency=12a\nlcn= 7 \nlevel=+3\n",
    "unknown_and_carried": "colour=red\nkept-byte=1\nfrequency\n=5\nlogo-name=a.dg1\n",
}


def frame(kind: int, payload: bytes) -> bytes:
    """A frame as it goes on the line: header with the length form, doubled 0x02, check."""
    n = len(payload)
    if n < 4:
        head = bytes([kind | n])
    elif n < 256:
        head = bytes([kind | 0x04, n])
    else:
        head = bytes([kind | 0x08, n >> 8, n & 0xFF])
    check = 0
    for byte in head + payload:
        check ^= byte
    body = head + payload + bytes([check])
    return b"\x02" + body.replace(b"\x02", b"\x02\x02")


def hex_bytes(text: str) -> bytes:
    return bytes(int(b, 16) for b in text.split())


OK = frame(0xF0, b"")
REFUSED = frame(0xE0, b"")
IQ_HEAD = b"PFZJ\x02"
IQ_ROWS = hex_bytes("DA 01 04 27 10 27 5A 03 13 27 0D 27")
# The read-backs of the two modules the fuzzer's package names: "VEMO" and a version at 4 and
# 8 of the first, the last bytes of the 512-byte buffer for the second.
MODULE_READ_BACKS = [
    OK, frame(0xF0, hex_bytes("58 02 00 00 56 45 4D 4F 17")), OK,
    OK, frame(0xF0, bytes(range(256)) * 2), OK,
]


def conversation(replies: list) -> bytes:
    """The line's bytes after each request: a two-byte count, then the bytes."""
    return b"".join(len(reply).to_bytes(2, "big") + reply for reply in replies)


IDENTIFY_82 = frame(0xF0, hex_bytes("82 16 00"))
IDENTIFY_78 = frame(0xF0, hex_bytes("78 17 00 03"))
CONVERSATIONS = {
    "model_82": [IDENTIFY_82, IDENTIFY_82, frame(0xF0, hex_bytes(DEVICE_82))]
    + MODULE_READ_BACKS,
    "model_78": [IDENTIFY_78, IDENTIFY_78, OK, frame(0xF0, hex_bytes(DEVICE_78)), OK,
                 OK, frame(0xF0, IQ_HEAD), frame(0xF0, IQ_ROWS), OK] + MODULE_READ_BACKS,
    "model_78_noisy": [b"\x00\x55" + IDENTIFY_78, IDENTIFY_78[:4], OK,
                       frame(0xF0, hex_bytes(BLOCKS_78["older"])) + b"\xff", OK,
                       REFUSED],
    "model_78_iq_count_101": [IDENTIFY_78, IDENTIFY_78, OK, frame(0xF0, hex_bytes(WORKED_78)),
                              OK, OK, frame(0xF0, b"PFZJ\x65"), frame(0xF0, IQ_ROWS), OK],
    "model_78_bad_signature": [IDENTIFY_78, IDENTIFY_78, OK,
                               frame(0xF0, hex_bytes(BLOCKS_78["bad_signature"])), OK,
                               frame(0xF0, IQ_HEAD), frame(0xF0, IQ_ROWS[:7]), OK],
    "bad_check": [IDENTIFY_82[:-1] + b"\x00"],
    "version_zero": [frame(0xF0, hex_bytes("82 00 00")),
                                       IDENTIFY_82, REFUSED],
    "oversized_reply": [IDENTIFY_82, IDENTIFY_82, hex_bytes("02 F8 10 01") + bytes(300)],
}


def write_corpus(name: str, entries: dict) -> None:
    folder = ROOT / name
    folder.mkdir(parents=True, exist_ok=True)
    for entry, text in entries.items():
        (folder / entry).write_bytes(bytes(int(b, 16) for b in text.split()))


def write_text_corpus(name: str, entries: dict) -> None:
    folder = ROOT / name
    folder.mkdir(parents=True, exist_ok=True)
    for entry, text in entries.items():
        (folder / entry).write_bytes(text.encode("latin-1"))


def write_binary_corpus(name: str, entries: dict) -> None:
    folder = ROOT / name
    folder.mkdir(parents=True, exist_ok=True)
    for entry, data in entries.items():
        (folder / entry).write_bytes(data)


def main() -> None:
    write_corpus("reply_parser", REPLIES)
    write_corpus("block_0x82_parser", BLOCKS_82)
    write_corpus("block_0x78_parser", BLOCKS_78)
    write_text_corpus("module_table", MODULE_TABLES)
    write_text_corpus("digest_line", DIGEST_LINES)
    write_text_corpus("image_name", IMAGE_NAMES)
    write_corpus("configuration_file_loader", CONFIGURATIONS)
    write_corpus("iq_file_loader", IQ_FILES)
    write_text_corpus("preference_file", PREFERENCES)
    write_binary_corpus("utf8_text", UTF8_TEXTS)
    write_binary_corpus("typed_values", {k: v.encode() for k, v in TYPED_VALUES.items()})
    write_binary_corpus("device_replies",
                        {name: conversation(replies) for name, replies in CONVERSATIONS.items()})


if __name__ == "__main__":
    main()
