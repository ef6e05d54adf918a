#!/usr/bin/env python3
"""Synthesizes mewt's cat sounds: a chirrup, a purr, two chitters and a few trills.

Everything is made here from sine harmonics, filtered noise and envelopes (a small source-filter
model of a cat's voice); nothing is recorded or sampled. The output is deterministic (fixed seeds),
mono, 48 kHz, 16-bit, peaking at -3 dBFS with short fades at both ends.

    python3 tools/make_cat_sounds.py [output folder, default resources/sounds]
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 48000
PEAK = 10 ** (-3 / 20)  # -3 dBFS
TWO_PI = 2 * math.pi


# ---- building blocks ---------------------------------------------------------------------------

def smoothstep(x):
    x = min(max(x, 0.0), 1.0)
    return x * x * (3 - 2 * x)


def contour(points, t):
    """Piecewise smooth curve through (time, value) points."""
    if t <= points[0][0]:
        return points[0][1]
    for (t0, v0), (t1, v1) in zip(points, points[1:]):
        if t <= t1:
            return v0 + (v1 - v0) * smoothstep((t - t0) / (t1 - t0))
    return points[-1][1]


class Biquad:
    """Audio-EQ-cookbook biquad whose centre can move while it runs."""

    def __init__(self, kind, frequency, q):
        self.kind = kind
        self.q = q
        self.x1 = self.x2 = self.y1 = self.y2 = 0.0
        self.set(frequency)

    def set(self, frequency):
        fc = min(max(frequency, 10.0), 0.45 * RATE)
        w = TWO_PI * fc / RATE
        alpha = math.sin(w) / (2 * self.q)
        a0 = 1 + alpha
        cw = math.cos(w)
        if self.kind == "lowpass":
            self.b0 = self.b2 = (1 - cw) / 2 / a0
            self.b1 = (1 - cw) / a0
        elif self.kind == "highpass":
            self.b0 = self.b2 = (1 + cw) / 2 / a0
            self.b1 = -(1 + cw) / a0
        else:  # bandpass, 0 dB peak
            self.b0 = alpha / a0
            self.b1 = 0.0
            self.b2 = -alpha / a0
        self.a1 = -2 * cw / a0
        self.a2 = (1 - alpha) / a0

    def __call__(self, x):
        y = self.b0 * x + self.b1 * self.x1 + self.b2 * self.x2 - self.a1 * self.y1 - self.a2 * self.y2
        self.x2, self.x1, self.y2, self.y1 = self.x1, x, self.y1, y
        return y


def voice(duration, f0_at, amp_at, formants_at, rng, breath=0.08, tilt=1.6, jitter=0.004):
    """A voiced sound: harmonics of f0 with spectral tilt, shaped by moving formants.

    f0_at(t) -> Hz, amp_at(t) -> 0..1, formants_at(t) -> [(frequency, q, gain), ...].
    """
    n = int(duration * RATE)
    out = [0.0] * n
    phase = 0.0
    wobble = 0.0
    filters = [Biquad("bandpass", f, q) for f, q, _ in formants_at(0.0)]
    breath_filter = Biquad("bandpass", 3000.0, 0.7)
    for i in range(n):
        t = i / RATE
        if i % 32 == 0:
            for flt, (f, q, _) in zip(filters, formants_at(t)):
                flt.set(f)
            gains = [g for _, _, g in formants_at(t)]
            # slow random wandering of pitch, as a real voice never holds still
            wobble += (rng.uniform(-1, 1) * jitter - wobble * 0.02)
        f0 = f0_at(t) * (1 + wobble)
        phase += TWO_PI * f0 / RATE
        if phase > TWO_PI * 1000:
            phase -= TWO_PI * 1000
        source = 0.0
        k = 1
        while k * f0 < 0.42 * RATE and k <= 40:
            source += math.sin(k * phase) / (k ** tilt)
            k += 1
        source += breath_filter(rng.uniform(-1, 1)) * breath * 6
        a = amp_at(t)
        shaped = 0.15 * source
        for flt, g in zip(filters, gains):
            shaped += flt(source) * g
        out[i] = shaped * a
    return out


def noise_burst(duration, centre, q, rng):
    flt = Biquad("bandpass", centre, q)
    return [flt(rng.uniform(-1, 1)) for _ in range(int(duration * RATE))]


def mix_into(target, source, at, gain=1.0):
    start = int(at * RATE)
    for i, s in enumerate(source):
        j = start + i
        if 0 <= j < len(target):
            target[j] += s * gain


def finish(samples, fade=0.004, highpass=40.0, lowpass=None):
    """Removes DC and rumble (and, if asked, the harsh top), fades both ends, peaks at -3 dBFS."""
    if lowpass:
        lp = Biquad("lowpass", lowpass, 0.6)
        samples = [lp(s) for s in samples]
    hp = Biquad("highpass", highpass, 0.707)
    out = [hp(s) for s in samples]
    # run the filter backwards too, so it adds no phase smear to the onsets
    hp = Biquad("highpass", highpass, 0.707)
    out = [hp(s) for s in reversed(out)][::-1]
    mean = sum(out) / len(out)
    out = [s - mean for s in out]
    nf = int(fade * RATE)
    for i in range(nf):
        g = 0.5 - 0.5 * math.cos(math.pi * i / nf)
        out[i] *= g
        out[-1 - i] *= g
    peak = max(abs(s) for s in out) or 1.0
    return [s * PEAK / peak for s in out]


def write(path, samples):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, round(s * 32767)))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


# ---- the cat ------------------------------------------------------------------------------------

def cat_formants(opening):
    """Formants of a small vocal tract; `opening` 0 (mouth closed, "mm") .. 1 (open, "aa")."""
    return [
        (600 + 700 * opening, 5.0, 1.0 * (0.5 + 0.5 * opening)),
        (1700 + 500 * opening, 6.0, 0.7),
        (3600 + 400 * opening, 7.0, 0.35),
        (5200, 8.0, 0.15),
    ]


def rolled(t, rate, depth, start=0.0, end=10.0):
    """The flutter of a rolled sound ("brrr"): amplitude beating at `rate` Hz between start and end."""
    if t < start or t > end:
        return 1.0
    edge = min(smoothstep((t - start) / 0.03), smoothstep((end - t) / 0.03))
    beat = 0.5 + 0.5 * math.cos(TWO_PI * rate * (t - start))
    return 1 - depth * edge * (1 - beat ** 1.5)


def chirrup(seed):
    rng = random.Random(seed)
    d = 0.40
    f0 = lambda t: contour([(0, 520), (0.09, 600), (0.22, 860), (0.30, 900), (0.40, 720)], t)
    amp = lambda t: (smoothstep(t / 0.03) * contour([(0, 0.7), (0.18, 1.0), (0.30, 1.0), (0.40, 0.0)], t)
                     * rolled(t, 27, 0.9, 0.0, 0.19))
    form = lambda t: cat_formants(contour([(0, 0.0), (0.16, 0.15), (0.27, 0.9), (0.40, 0.6)], t))
    return finish(voice(d, f0, amp, form, rng, breath=0.05), lowpass=7000)


def trill(seed, start_f0, top_f0, length, roll_rate, roll_end):
    rng = random.Random(seed)
    f0 = lambda t: contour([(0, start_f0), (roll_end, start_f0 * 1.12), (length * 0.85, top_f0),
                            (length, top_f0 * 0.92)], t)
    amp = lambda t: (smoothstep(t / 0.025) * contour([(0, 0.6), (roll_end, 0.9), (length * 0.8, 1.0),
                                                     (length, 0.0)], t)
                     * rolled(t, roll_rate, 0.85, 0.0, roll_end))
    form = lambda t: cat_formants(contour([(0, 0.05), (roll_end, 0.2), (length * 0.85, 0.85), (length, 0.7)], t))
    return finish(voice(length, f0, amp, form, rng, breath=0.04), lowpass=7000)


def chitter(seed, count, rate, pitch):
    """Staccato "ek-ek-ek": short bleats, each led by a tiny tooth click, at `rate` per second."""
    rng = random.Random(seed)
    gap = 1.0 / rate
    d = count * gap + 0.05
    out = [0.0] * int(d * RATE)
    for k in range(count):
        at = k * gap + rng.uniform(-0.006, 0.006)
        length = rng.uniform(0.045, 0.06)
        p = pitch * rng.uniform(0.93, 1.08) * (1.0 - 0.015 * k)
        f0 = lambda t, p=p, length=length: contour([(0, p * 0.92), (length * 0.3, p * 1.08), (length, p * 0.85)], t)
        amp = lambda t, length=length: smoothstep(t / 0.004) * (1 - smoothstep((t - length * 0.35) / (length * 0.65)))
        form = lambda t, length=length: cat_formants(contour([(0, 0.5), (length * 0.4, 1.0), (length, 0.4)], t))
        bleat = voice(length, f0, amp, form, rng, breath=0.12, tilt=1.3, jitter=0.008)
        loud = rng.uniform(0.7, 1.0) * (0.85 if k in (0, count - 1) else 1.0)
        mix_into(out, bleat, at, loud)
        click = noise_burst(0.004, 4200, 1.5, rng)
        for i in range(len(click)):
            click[i] *= math.exp(-i / (0.0008 * RATE))
        mix_into(out, click, at - 0.002, 0.6 * loud)
    return finish(out, lowpass=9000)


def purr(seed, duration=2.0):
    """A rumble pulsed about 26 times a second, louder and a little faster on the out-breath.

    Each cycle of the larynx is a short low burst; breath noise rides on top. The length is two
    whole breaths, so the file can be repeated without a jump in level."""
    rng = random.Random(seed)
    n = int(duration * RATE)
    out = [0.0] * n
    body = Biquad("lowpass", 380.0, 0.9)
    chest = Biquad("bandpass", 140.0, 1.4)
    air = Biquad("bandpass", 900.0, 0.8)
    t = 0.0
    pulses = []
    while t < duration:
        breath_phase = (t % 1.0)
        exhale = breath_phase < 0.55
        rate = 27.0 if exhale else 24.0
        pulses.append((t, 1.0 if exhale else 0.65))
        t += 1.0 / rate * rng.uniform(0.96, 1.04)
    excitation = [0.0] * n
    for at, level in pulses:
        start = int(at * RATE)
        length = int(0.022 * RATE)
        for i in range(length):
            j = start + i
            if j >= n:
                break
            env = (i / (0.002 * RATE)) if i < 0.002 * RATE else math.exp(-(i - 0.002 * RATE) / (0.006 * RATE))
            excitation[j] += level * env * (rng.uniform(-1, 1) * 0.7 + 0.3 * math.sin(TWO_PI * 110 * i / RATE))
    for i in range(n):
        tt = i / RATE
        breath_phase = tt % 1.0
        swell = 0.75 + 0.25 * math.sin(TWO_PI * breath_phase)
        e = excitation[i]
        s = body(e) * 1.0 + chest(e) * 1.6 + air(rng.uniform(-1, 1)) * 0.012
        out[i] = s * swell
    return finish(out, fade=0.005, highpass=30.0)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "sounds")
    cats = os.path.join(root, "cat-sounds")
    files = {
        os.path.join(cats, "chirrup", "cat-chirrup-01.wav"): lambda: chirrup(11),
        os.path.join(cats, "purr", "cat-purr-01.wav"): lambda: purr(21),
        os.path.join(cats, "chitter", "cat-chitter-01.wav"): lambda: chitter(31, 8, 12.0, 1150.0),
        os.path.join(cats, "chitter", "cat-chitter-02.wav"): lambda: chitter(32, 10, 13.5, 1300.0),
        os.path.join(root, "trill", "trill-01.wav"): lambda: trill(41, 430, 760, 0.42, 28, 0.20),
        os.path.join(root, "trill", "trill-02.wav"): lambda: trill(42, 480, 880, 0.36, 31, 0.16),
        os.path.join(root, "trill", "trill-03.wav"): lambda: trill(43, 400, 700, 0.50, 25, 0.26),
        os.path.join(root, "trill", "trill-04.wav"): lambda: trill(44, 520, 960, 0.32, 30, 0.13),
    }
    for path, make in files.items():
        samples = make()
        write(os.path.normpath(path), samples)
        print(f"{os.path.normpath(path)}: {len(samples) / RATE:.2f} s")


if __name__ == "__main__":
    main()
