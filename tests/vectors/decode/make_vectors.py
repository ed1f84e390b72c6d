#!/usr/bin/env python3
"""Writes the captured-stream vectors of the decode listing (*.bin).

Each frame is 26 bytes: STX, function code, AC marker, 6-character value, prefix, unit,
2-character coupling, one unused byte, AC marker of the second display, 6-character second
value, 4-character second unit, one unused byte. The expected listings (*.expected) are
written and reviewed by hand; this script only makes the input bytes.
"""
import os

STX = b"\x02"


def frame(code, value, prefix=b" ", unit=b"V", coupling=b"  ", ac=b" ",
          ac2=b" ", value2=b"      ", unit2=b"    ", spare=b" ", tail=b"\r"):
    parts = [STX, code, ac, value, prefix, unit, coupling, spare, ac2, value2, unit2, tail]
    data = b"".join(parts)
    assert len(value) == 6 and len(value2) == 6 and len(unit2) == 4 and len(coupling) == 2
    assert len(data) == 26, (data, len(data))
    return data


def all_functions():
    return b"".join([
        frame(b"A", b" 1.234", unit=b"V", coupling=b"A ", ac=b"A",
              value2=b" 1.000", unit2=b"KHz "),
        frame(b"B", b"-12.34", coupling=b"D ", value2=b" 9.999", unit2=b" V  "),
        frame(b"B", b" 123.4", prefix=b"m", coupling=b"A ", ac=b"A"),
        frame(b"C", b" 400.0", prefix=b"m", coupling=b"A ", ac=b"a",
              value2=b" 60.00", unit2=b" Hz "),
        frame(b"D", b"-0.123", prefix=b"m", coupling=b"D ", value2=b" 50.00", unit2=b" Hz "),
        frame(b"E", b" 1.000", prefix=b"M", unit=b"\xd9", value2=b" 1.234", unit2=b" V  "),
        frame(b"F", b" 12.34", prefix=b"n", unit=b"S"),
        frame(b"G", b" 0.612", value2=b" 0.612", unit2=b"  V "),
        frame(b"H", b" 10.00", prefix=b"n", unit=b"F"),
        frame(b"I", b" 12.34", prefix=b"m", unit=b"A", coupling=b"A ", ac=b"A"),
        frame(b"J", b" 123.4", prefix=b"u", unit=b"A", coupling=b"D "),
        frame(b"K", b" 1.234", unit=b"A", coupling=b"A ", ac=b"A",
              value2=b" 50.00", unit2=b" Hz "),
        frame(b"L", b"-1.234", unit=b"A", coupling=b"D "),
        frame(b"M", b"  3999", unit=b"R", coupling=b"PM", value2=b"  12.0", unit2=b"KHz "),
        frame(b"N", b" 50.00", prefix=b"K", unit=b"H", coupling=b"z "),
        frame(b"O", b"  23.5", unit=b"C", coupling=b"  ", value2=b"  74.3", unit2=b"KFxx"),
        frame(b"O", b"  74.3", unit=b"F", value2=b"  23.5", unit2=b" Cxx"),
        frame(b"O", b" 296.6", unit=b"K", value2=b"  23.5", unit2=b"KCxx"),
        frame(b"P", b"  45.0", unit=b"%", coupling=b"RH", value2=b"  23.5", unit2=b" C  "),
        frame(b"Q", b" 101.3", prefix=b"K", unit=b"P", coupling=b"a ",
              value2=b"  14.7", unit2=b" psi"),
        frame(b"Q", b" 101.3", prefix=b"K", unit=b"P", coupling=b"a ",
              value2=b" 1.013", unit2=b"KPa "),
        frame(b"R", b" 1.500", unit=b"A", coupling=b"D ", ac2=b"A",
              value2=b" 60.00", unit2=b"KHz "),
        frame(b"S", b"    12", prefix=b"u", unit=b"x", coupling=b"DA", ac2=b"A",
              value2=b"SETUP ", unit2=b"Kabc"),
        frame(b"T", b" 8.8.8", prefix=b"K", unit=b"V", coupling=b"A ", value2=b"8.8.8.",
              unit2=b"TEST"),
        frame(b"X", b" 1.000"),
        frame(b"b", b" 1.000"),
    ])


def edge_values():
    frames = [
        frame(b"B", b"  3999"), frame(b"B", b"  3998"), frame(b"B", b" -3999"),
        frame(b"B", b" 399.9"), frame(b"B", b" 399.8"), frame(b"B", b"+399.9"),
        frame(b"B", b" 39.99"), frame(b"B", b" 3.999"), frame(b"B", b" 3.998"),
        frame(b"D", b".40000", prefix=b"m"), frame(b"D", b".39999", prefix=b"m"),
        frame(b"D", b"0.4000", prefix=b"m"), frame(b"B", b"4000  "),
        frame(b"B", b"      "), frame(b"A", b" 0.000", coupling=b"A "),
        frame(b"B", b"-0.000", prefix=b"m", coupling=b"D "),
    ]
    for v2 in [b"  0.05", b" 0.051", b"   1.5", b"   3.0", b"  3.01", b"   4.0",
               b"  4.01", b"  -0.1", b"    -0", b"    OL", b"-0.000"]:
        frames.append(frame(b"G", b"  0.00", value2=v2))
    frames += [
        frame(b"E", b"0.9999", prefix=b"M", unit=b"\xd9"),
        frame(b"E", b" 999.9", prefix=b"K", unit=b"\xd9"),
        frame(b"E", b"1000.0", prefix=b"K", unit=b"\xd9"),
        frame(b"E", b" 10.00", prefix=b"M", unit=b"\xd9"),
        frame(b"K", b" 0.000", unit=b"A", coupling=b"A "),
    ]
    return b"".join(frames)


def line_noise():
    ok = frame(b"B", b" 1.234", coupling=b"D ")
    other = frame(b"A", b" 2.345", coupling=b"A ", value2=b" 50.00", unit2=b" Hz ")
    bulk = STX + b"Z" + bytes((i * 7 + 3) % 256 for i in range(998))  # holds 0x02 early on
    bulk += bytes(0x80 | (i % 64) for i in range(24))  # 1024 bytes, no STX after 1000
    return b"".join([
        b"\xff\x00\x1b[2Jnoise",                      # noise, with an escape sequence
        ok,
        STX + b"B  1.23",                                 # a frame cut short by the next
        other,
        frame(b"B", b" 1.2A4"),                           # a letter in the value
        frame(b"B", b" 1.\x0034"),                        # a NUL in the value
        frame(b"B", b" 1.234", unit=b"\x00", coupling=b"D\x00", value2=b"12\x0034 "),
        frame(b"Q", b" 1.013", unit=b"\t", coupling=b"\x1b[", ac2=b"A",
              value2=b"\x07\x08\x7f\r\n ", unit2=b"\x1bPa\x00"),
        bulk,
        ok,
        ok[:13],                                          # the stream ends mid-frame
    ])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, data in [("all_functions", all_functions()), ("edge_values", edge_values()),
                       ("line_noise", line_noise())]:
        with open(os.path.join(here, name + ".bin"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
