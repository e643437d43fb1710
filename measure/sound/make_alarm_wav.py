#!/usr/bin/env python3
"""Writes alarm.wav: two short 1 kHz beeps, 16-bit mono at 22050 Hz, with soft edges."""
import math
import struct
import wave

RATE = 22050
BEEP_SECONDS = 0.18
GAP_SECONDS = 0.08
FREQUENCY = 1000.0
RAMP = int(RATE * 0.01)


def beep():
    length = int(RATE * BEEP_SECONDS)
    samples = []
    for n in range(length):
        envelope = min(1.0, n / RAMP, (length - 1 - n) / RAMP)
        samples.append(int(0.6 * 32767 * envelope * math.sin(2 * math.pi * FREQUENCY * n / RATE)))
    return samples


frames = beep() + [0] * int(RATE * GAP_SECONDS) + beep()
with wave.open("alarm.wav", "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(RATE)
    out.writeframes(b"".join(struct.pack("<h", s) for s in frames))
