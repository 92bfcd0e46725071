#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora: worked frames of the protocol, a few broken ones."""
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


def main() -> None:
    folder = ROOT / "reply_parser"
    folder.mkdir(parents=True, exist_ok=True)
    for name, text in REPLIES.items():
        (folder / name).write_bytes(bytes(int(b, 16) for b in text.split()))


if __name__ == "__main__":
    main()
