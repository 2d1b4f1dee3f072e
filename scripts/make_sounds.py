#!/usr/bin/env python3
"""Generate the program's sound effects (standard library only).

    python3 scripts/make_sounds.py [output_dir]

Writes sentaku.wav (select chime) and supura.wav (sparkle used while a
statistics screen is drawn step by step) as 16-bit mono PCM at 44100 Hz.
The output is fully deterministic.
"""
import math
import os
import struct
import sys
import wave

RATE = 44100
PEAK_DBFS = -6.0


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix_into(buf, start, samples):
    """Add samples into buf starting at time start (seconds), growing buf."""
    offset = int(round(start * RATE))
    end = offset + len(samples)
    if end > len(buf):
        buf.extend([0.0] * (end - len(buf)))
    for i, s in enumerate(samples):
        buf[offset + i] += s


def bell(freq, seconds, decay, attack=0.004, partials=((1.0, 1.0),)):
    """A sine tone (with optional partials) under a soft attack and an
    exponential decay; decay is the time constant in seconds."""
    n = int(round(seconds * RATE))
    out = []
    for i in range(n):
        t = i / RATE
        env = min(1.0, t / attack) * math.exp(-t / decay)
        v = 0.0
        for mult, amp in partials:
            v += amp * math.sin(2.0 * math.pi * freq * mult * t)
        out.append(v * env)
    return out


def bubble(f_start, f_end, seconds, decay):
    """A short pitch-falling sine: the 'pop' of a bubble."""
    n = int(round(seconds * RATE))
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        x = t / seconds
        freq = f_end + (f_start - f_end) * (1.0 - x) ** 2
        phase += 2.0 * math.pi * freq / RATE
        env = min(1.0, t / 0.002) * math.exp(-t / decay)
        out.append(math.sin(phase) * env)
    return out


def finish(buf, fade_in=0.003, fade_out=0.03):
    """Apply raised-cosine fades at both ends and normalise to PEAK_DBFS."""
    n = len(buf)
    fi = max(1, int(fade_in * RATE))
    fo = max(1, int(fade_out * RATE))
    for i in range(min(fi, n)):
        buf[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fi)
    for i in range(min(fo, n)):
        buf[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fo)
    buf[0] = 0.0
    buf[-1] = 0.0
    peak = max(abs(s) for s in buf) or 1.0
    gain = (10.0 ** (PEAK_DBFS / 20.0)) / peak
    return [s * gain for s in buf]


def write_wav(path, buf):
    frames = b"".join(
        struct.pack("<h", max(-32767, min(32767, int(round(s * 32767)))))
        for s in buf)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def make_sentaku():
    """Select chime: two quick bright notes, C6 then G6 (about 0.2 s)."""
    soft = ((1.0, 1.0), (2.0, 0.18), (3.0, 0.05))
    buf = silence(0.20)
    mix_into(buf, 0.000, bell(1046.50, 0.09, 0.035, partials=soft))
    mix_into(buf, 0.055, [0.9 * s for s in
                          bell(1567.98, 0.145, 0.045, partials=soft)])
    return finish(buf[:int(0.20 * RATE)])


def make_supura():
    """Sparkle: a soft low pop followed by a rising glitter of three high
    bell notes (about 0.3 s)."""
    buf = silence(0.30)
    mix_into(buf, 0.000, [0.8 * s for s in bubble(900.0, 420.0, 0.06, 0.025)])
    glitter = ((1.0, 1.0), (2.76, 0.12))  # slightly inharmonic: glassy
    notes = ((0.030, 2093.00, 0.55), (0.075, 2637.02, 0.50),
             (0.120, 3135.96, 0.45), (0.160, 4186.01, 0.25))
    for start, freq, amp in notes:
        tone = bell(freq, 0.30 - start, 0.040, attack=0.003, partials=glitter)
        mix_into(buf, start, [amp * s for s in tone])
    return finish(buf[:int(0.30 * RATE)], fade_out=0.05)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, os.pardir, "resources", "sounds")
    out_dir = os.path.normpath(sys.argv[1] if len(sys.argv) > 1 else default)
    os.makedirs(out_dir, exist_ok=True)
    for name, maker in (("sentaku.wav", make_sentaku),
                        ("supura.wav", make_supura)):
        path = os.path.join(out_dir, name)
        write_wav(path, maker())
        print("wrote", path)


if __name__ == "__main__":
    main()
