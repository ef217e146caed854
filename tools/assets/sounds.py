"""The game's sounds, synthesised: the lake's ambience, the wind's noise (which the game
filters live by airspeed), footsteps on the wooden platform, the spar's creak, the
splash, two chimes and a menu click. Mono 16-bit WAV at 22050 Hz, the same bytes on
every run (the noise comes from a seeded generator of our own).
"""
import math
import struct

RATE = 22050  # Hz, the rate the game mixes at
TWO_PI = 2.0 * math.pi


class Noise:
    """White noise in [-1, 1) from a 32-bit xorshift generator."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x / 2147483648.0 - 1.0


def samples(seconds):
    return int(round(seconds * RATE))


def low_pass(signal, corner_hz):
    """One-pole low-pass; corner_hz may be a function of the sample index."""
    out = []
    y = 0.0
    for i, x in enumerate(signal):
        hz = corner_hz(i) if callable(corner_hz) else corner_hz
        y += (x - y) * (1.0 - math.exp(-TWO_PI * hz / RATE))
        out.append(y)
    return out


def resonator(signal, hz, decay_s):
    """A two-pole resonance at hz whose ringing falls by 1/e in decay_s."""
    r = math.exp(-1.0 / (decay_s * RATE))
    c = 2.0 * r * math.cos(TWO_PI * hz / RATE)
    y1 = y2 = 0.0
    out = []
    for x in signal:
        y = x * (1.0 - r) + c * y1 - r * r * y2
        out.append(y)
        y1, y2 = y, y1
    return out


def add_into(target, source, at, gain=1.0):
    for i, v in enumerate(source):
        if at + i < len(target):
            target[at + i] += v * gain


def normalise(signal, peak):
    top = max(abs(v) for v in signal) or 1.0
    return [v * peak / top for v in signal]


def loop_seamlessly(signal, overlap_s):
    """Folds the last overlap_s over the start with a cross-fade, so the clip loops."""
    n = samples(overlap_s)
    body = signal[:-n]
    tail = signal[-n:]
    for i in range(n):
        fade = i / n
        body[i] = body[i] * fade + tail[i] * (1.0 - fade)
    return body


def decaying_tone(hz, seconds, decay_s, partials=((1.0, 1.0),)):
    """A struck tone: partials (frequency ratio, level) that decay together."""
    out = []
    for i in range(samples(seconds)):
        t = i / RATE
        env = math.exp(-t / decay_s) * min(1.0, t / 0.004)  # a 4 ms attack, no click
        out.append(env * sum(level * math.sin(TWO_PI * hz * ratio * t) for ratio, level in partials))
    return out


# --- The sounds ------------------------------------------------------------------


def ambience():
    """The lake at rest: low rumbling air and the slow lapping of small waves."""
    noise = Noise(101)
    seconds = 4.2
    raw = [noise.next() for _ in range(samples(seconds))]
    air = low_pass(low_pass(raw, 180.0), 180.0)
    laps = low_pass([noise.next() for _ in range(samples(seconds))], 700.0)
    out = []
    for i, (a, l) in enumerate(zip(air, laps)):
        t = i / RATE
        lapping = 0.5 + 0.5 * math.sin(TWO_PI * 0.7 * t) * math.sin(TWO_PI * 0.23 * t)
        out.append(a * 3.0 + l * lapping * 0.6)
    return normalise(loop_seamlessly(out, 0.2), 0.25)


def wind():
    """Broadband noise; the game shapes it into the rush of air."""
    noise = Noise(202)
    return [0.7 * noise.next() for _ in range(samples(2.0))]


def footstep(noise):
    """One step on a plank: a dull thump, the wood's knock and a little grit."""
    length = samples(0.25)
    thump = decaying_tone(85.0, 0.25, 0.035)
    knock = resonator([noise.next() * math.exp(-i / (0.004 * RATE)) for i in range(length)], 420.0, 0.03)
    knock2 = resonator([noise.next() * math.exp(-i / (0.003 * RATE)) for i in range(length)], 950.0, 0.015)
    grit = [noise.next() * 0.15 * math.exp(-i / (0.02 * RATE)) for i in range(length)]
    return [a + 6.0 * b + 4.0 * c + d for a, b, c, d in zip(thump, knock, knock2, grit)]


def run():
    """Two steps, left and right, looped at the pace of a run at 6 m/s."""
    noise = Noise(303)
    out = [0.0] * samples(0.6)
    add_into(out, footstep(noise), 0)
    add_into(out, footstep(noise), samples(0.3), 0.85)
    return normalise(out, 0.8)


def creak():
    """The spar under load: stick-slip ticks, first slow, then fast, then slow."""
    noise = Noise(404)
    length = samples(0.8)
    ticks = [0.0] * length
    t = 0.0
    while t < 0.75:
        i = samples(t)
        if i < length:
            ticks[i] = 0.6 + 0.4 * noise.next()
        phase = t / 0.75
        t += 0.03 - 0.022 * math.sin(math.pi * phase)  # 30 ms apart at the ends, 8 ms mid-way
    body = resonator(ticks, 310.0, 0.012)
    shell = resonator(ticks, 780.0, 0.008)
    out = [b + 0.6 * s for b, s in zip(body, shell)]
    env = [math.sin(math.pi * i / length) for i in range(length)]
    return normalise([v * e for v, e in zip(out, env)], 0.7)


def splash():
    """The aircraft meets the water: a slap, a falling wash of spray, then droplets."""
    noise = Noise(505)
    seconds = 1.8
    length = samples(seconds)
    raw = [noise.next() for _ in range(length)]
    slap = [v * math.exp(-i / (0.03 * RATE)) for i, v in enumerate(raw)]
    wash_corner = lambda i: 600.0 + 2800.0 * math.exp(-i / (0.35 * RATE))  # noqa: E731
    wash = low_pass([noise.next() for _ in range(length)], wash_corner)
    out = []
    for i, (s, w) in enumerate(zip(slap, wash)):
        t = i / RATE
        env = math.exp(-t / 0.45) * min(1.0, t / 0.01)
        out.append(0.8 * s + 2.5 * w * env)
    for k in range(14):
        at = samples(0.2 + 1.2 * (0.5 + 0.5 * noise.next()))
        hz = 1100.0 + 900.0 * (0.5 + 0.5 * noise.next())
        drop = []
        for i in range(samples(0.02)):
            t = i / RATE
            drop.append(math.sin(TWO_PI * hz * (1.0 + 8.0 * t) * t) * math.exp(-t / 0.006))
        add_into(out, drop, at, 0.12)
    return normalise(out, 0.9)


BELL = ((1.0, 1.0), (2.76, 0.35), (5.4, 0.12))  # a small bell's partials


def chime(notes_hz, spacing_s, seconds):
    out = [0.0] * samples(seconds)
    for k, hz in enumerate(notes_hz):
        add_into(out, decaying_tone(hz, seconds - k * spacing_s, 0.45, BELL), samples(k * spacing_s))
    return normalise(out, 0.6)


def ranked():
    """A soft two-note chime: the flight is in the ranking."""
    return chime((659.3, 880.0), 0.18, 1.6)


def best():
    """A rising arpeggio: the ranking's new first."""
    return chime((523.3, 659.3, 784.0, 1046.5), 0.14, 2.2)


def click():
    """A menu click: a short, quiet tick."""
    noise = Noise(606)
    length = samples(0.03)
    return normalise(resonator([noise.next() * math.exp(-i / (0.001 * RATE)) for i in range(length)], 2200.0, 0.004), 0.5)


def all_sounds():
    return [
        ("ambience.wav", ambience()),
        ("wind.wav", wind()),
        ("run.wav", run()),
        ("creak.wav", creak()),
        ("splash.wav", splash()),
        ("ranked.wav", ranked()),
        ("best.wav", best()),
        ("click.wav", click()),
    ]


def wav_bytes(signal):
    """RIFF WAVE, PCM, one channel, 16 bits."""
    data = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, v)) * 32767))) for v in signal)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body
