#!/usr/bin/env python3
"""The tones in a recording, as the end-to-end tests hear them:
    tone-bursts.py RECORDING.raw  ->  one line "MILLISECONDS HERTZ START-MILLISECONDS" per tone
RECORDING is what pacat records: 16-bit little-endian stereo at 44100 Hz; the left channel is read.
A tone is a stretch above an amplitude of 1000, joined across quiet gaps of up to 10 ms (the troughs
of the wave); its pitch is counted from its zero crossings, leaving out the silence of a drop-out."""
import array
import sys

RATE = 44100
THRESHOLD = 1000
MAX_GAP = RATE // 100


def bursts(left):
    found = []
    for i, sample in enumerate(left):
        if abs(sample) < THRESHOLD:
            continue
        if found and i - (found[-1][1] - 1) <= MAX_GAP + 1:
            found[-1][1] = i + 1
        else:
            found.append([i, i + 1])
    return found


def frequency(samples):
    """Hertz from the spacing of the zero crossings. A drop-out inside a tone leaves one long
    spacing; spacings beyond half again the usual one are left out, so it does not lower the pitch."""
    crossings = [i for i, (a, b) in enumerate(zip(samples, samples[1:])) if (a < 0) != (b < 0)]
    spacings = sorted(b - a for a, b in zip(crossings, crossings[1:]))
    if not spacings:
        return 0
    usual = [s for s in spacings if s <= 1.5 * spacings[len(spacings) // 2]]
    return RATE * len(usual) / 2 / sum(usual)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    samples = array.array('h')
    with open(sys.argv[1], 'rb') as recording:
        samples.frombytes(recording.read())
    if sys.byteorder != 'little':
        samples.byteswap()
    left = samples[0::2]
    for start, end in bursts(left):
        print(f'{1000 * (end - start) / RATE:.0f} {frequency(left[start:end]):.0f} {1000 * start / RATE:.0f}')


main()
