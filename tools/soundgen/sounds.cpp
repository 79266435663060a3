#include "sounds.h"

#include <cmath>

namespace soundgen {

namespace {

Sound blank(int channels, double seconds) {
    return Sound{std::vector<Track>(static_cast<std::size_t>(channels), Track(framesFor(seconds)))};
}

double time(std::size_t i) {
    return static_cast<double>(i) / kRate;
}

double note(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// Player laser: a clean, bright "pew" that dives two octaves, with a spark
// of noise at the muzzle.
Sound laserPlayer() {
    Sound s = blank(1, 0.30);
    Noise noise(11);
    Biquad spark = Biquad::bandPass(5200.0, 1.2);
    double phase = 0.0;
    for (std::size_t i = 0; i < s.frames(); ++i) {
        const double t = time(i);
        phase += kTau * (420.0 + 2000.0 * std::exp(-t / 0.04)) / kRate;
        const double tone =
            std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase);
        s.channels[0][i] = 0.8 * tone * strike(t, 0.002, 0.075) +
                           0.6 * spark.process(noise.next()) * strike(t, 0.0005, 0.008);
    }
    return s;
}

// Computer laser: lower and buzzier, a hollow square wave ring-modulated
// into a growl, so the two sides are told apart by ear.
Sound laserComputer() {
    Sound s = blank(1, 0.35);
    Biquad tone = Biquad::lowPass(3800.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < s.frames(); ++i) {
        const double t = time(i);
        const double f = 170.0 + 950.0 * std::exp(-t / 0.055);
        phase += kTau * f / kRate;
        const double square = harmonics(phase, partialsBelow(f, 9000.0), 1.0, true);
        const double ring = 0.6 + 0.4 * std::sin(kTau * 67.0 * t);
        s.channels[0][i] = tone.process(square * ring) * strike(t, 0.003, 0.1);
    }
    return s;
}

// A bolt striking a hull: a sharp crack of noise, a metallic ping and a
// small thump of the body.
Sound hit() {
    Sound s = blank(1, 0.35);
    Noise noise(23);
    Biquad crack = Biquad::bandPass(2000.0, 0.9);
    double phase = 0.0;
    for (std::size_t i = 0; i < s.frames(); ++i) {
        const double t = time(i);
        phase += kTau * (90.0 + 50.0 * std::exp(-t / 0.02)) / kRate;
        s.channels[0][i] = 1.4 * crack.process(noise.next()) * strike(t, 0.0005, 0.022) +
                           0.7 * std::sin(phase) * strike(t, 0.001, 0.05);
    }
    addTone(s.channels[0], 0.0, 610.0,
            {{1.0, 0.5, 0.12}, {2.43, 0.35, 0.08}, {3.92, 0.25, 0.05}, {5.52, 0.15, 0.035}}, 0.7,
            0.001);
    return s;
}

// A ship blowing apart: a deep falling boom, a roar of noise that darkens as
// it fades, and crackling debris.
Sound explosion() {
    Sound s = blank(1, 1.8);
    Noise noise(37);
    Noise debris(41);
    Biquad roar;
    Biquad crackle = Biquad::bandPass(2500.0, 0.8);
    double phase = 0.0;
    double click = 0.0;
    for (std::size_t i = 0; i < s.frames(); ++i) {
        const double t = time(i);
        phase += kTau * (50.0 + 90.0 * std::exp(-t / 0.1)) / kRate;
        roar.setLowPass(300.0 + 5000.0 * std::exp(-t / 0.4));
        if (debris.uniform() < 0.0006 * std::exp(-t / 0.5)) {
            click = 0.5 + 0.5 * debris.uniform();
        }
        click *= 0.997;
        s.channels[0][i] = 0.6 * std::sin(phase) * strike(t, 0.004, 0.4) +
                           3.0 * roar.process(noise.next()) * strike(t, 0.002, 0.7) +
                           1.2 * crackle.process(noise.next() * click);
    }
    return s;
}

// Hull scraping hull: a dull thud, a grinding rasp and a clank.
Sound ram() {
    Sound s = blank(1, 0.6);
    Noise noise(53);
    Biquad rasp = Biquad::bandPass(900.0, 1.5);
    Biquad grind = Biquad::lowPass(35.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < s.frames(); ++i) {
        const double t = time(i);
        phase += kTau * (70.0 + 60.0 * std::exp(-t / 0.03)) / kRate;
        const double roughness = 0.5 + 6.0 * std::abs(grind.process(noise.next()));
        s.channels[0][i] = std::sin(phase) * strike(t, 0.001, 0.09) +
                           1.6 * rasp.process(noise.next()) * roughness * strike(t, 0.005, 0.18);
    }
    addTone(s.channels[0], 0.0, 230.0,
            {{1.0, 0.5, 0.25}, {2.25, 0.4, 0.18}, {4.9, 0.3, 0.12}, {7.1, 0.2, 0.08}}, 0.5, 0.002);
    return s;
}

// A ship arriving: a chorused tone rising two octaves over an opening
// whoosh, with an overtone shimmer.
Sound spawn() {
    const double length = 0.9;
    Sound s = blank(1, length);
    Noise noise(61);
    Biquad whoosh;
    double phase = 0.0;
    double detuned = 0.0;
    for (std::size_t i = 0; i < s.frames(); ++i) {
        const double t = time(i);
        const double f = 220.0 * std::pow(4.0, t / length);
        phase += kTau * f / kRate;
        detuned += kTau * f * 1.002 / kRate;
        whoosh.setLowPass(400.0 * std::pow(10.0, t / length));
        const double tone = std::sin(phase) + 0.5 * std::sin(detuned) + 0.3 * std::sin(2 * phase);
        const double shimmer = (std::sin(3 * phase) + 0.6 * std::sin(4.5 * detuned)) * t / length;
        s.channels[0][i] = (tone + 0.25 * shimmer + 0.5 * whoosh.process(noise.next())) *
                           fades(t, length, 0.12, 0.35);
    }
    return s;
}

const std::vector<Partial> kBell{
    {1.0, 1.0, 0.6}, {2.0, 0.4, 0.35}, {3.0, 0.18, 0.2}, {4.2, 0.08, 0.1}};

// A planet won: a rising major arpeggio of bells.
Sound planetGained() {
    Sound s = blank(1, 1.4);
    const int notes[] = {3, 7, 10, 15}; // C5 E5 G5 C6
    for (int k = 0; k < 4; ++k) {
        addTone(s.channels[0], 0.1 * k, note(notes[k]), kBell, k == 3 ? 0.6 : 0.45, 0.003);
    }
    addReverb(s, 0.6, 0.3, 0.25, false);
    return s;
}

// A planet lost to the enemy: a falling minor figure, hollow and dark, over
// a low drone.
Sound planetLost() {
    const double length = 1.6;
    Sound s = blank(1, length);
    const std::vector<Partial> reed{
        {1.0, 1.0, 0.8}, {2.0, 0.25, 0.4}, {3.0, 0.3, 0.3}, {5.0, 0.1, 0.15}};
    const int notes[] = {-5, -9, -12}; // E4 C4 A3
    for (int k = 0; k < 3; ++k) {
        addTone(s.channels[0], 0.2 * k, note(notes[k]), reed, 0.5, 0.01);
    }
    Biquad dark = Biquad::lowPass(2000.0);
    for (std::size_t i = 0; i < s.frames(); ++i) {
        const double t = time(i);
        const double drone = std::sin(kTau * note(-24) * t) * fades(t, length, 0.3, 0.6);
        s.channels[0][i] = dark.process(s.channels[0][i]) + 0.3 * drone;
    }
    addReverb(s, 0.6, 0.4, 0.25, false);
    return s;
}

// A trade route opened: two chimes a fifth apart sliding into tune, over a
// rising breath of noise, as of a link locking in.
Sound routeOpened() {
    const double length = 1.0;
    Sound s = blank(1, length);
    Noise noise(71);
    Biquad breath;
    Biquad floor = Biquad::highPass(300.0);
    const double starts[] = {0.0, 0.08};
    const double pitches[] = {note(12), note(19)}; // A5 E6
    for (int k = 0; k < 2; ++k) {
        double phase = 0.0;
        for (std::size_t i = framesFor(starts[k]); i < s.frames(); ++i) {
            const double t = time(i) - starts[k];
            phase += kTau * pitches[k] * (1.0 - 0.03 * std::exp(-t / 0.02)) / kRate;
            s.channels[0][i] +=
                0.45 * (std::sin(phase) + 0.3 * std::sin(2 * phase)) * strike(t, 0.004, 0.3);
        }
    }
    for (std::size_t i = 0; i < s.frames(); ++i) {
        const double t = time(i);
        breath.setLowPass(500.0 + 4000.0 * t / length);
        s.channels[0][i] +=
            0.3 * floor.process(breath.process(noise.next())) * fades(t, 0.4, 0.15, 0.25);
    }
    addReverb(s, 0.6, 0.3, 0.2, false);
    return s;
}

// A brass voice: a sawtooth whose filter opens on the attack, with a late
// vibrato, placed in the stereo field by `pan` (0 left, 1 right).
void brass(Sound& s, double start, double length, double frequency, double pan, double gain) {
    Biquad filter;
    double phase = 0.0;
    const int partials = partialsBelow(frequency, 5000.0);
    for (std::size_t i = framesFor(start); i < s.frames(); ++i) {
        const double t = time(i) - start;
        const double vibrato = 1.0 + 0.004 * std::sin(kTau * 5.0 * t) * std::min(1.0, t / 0.4);
        phase += kTau * frequency * vibrato / kRate;
        filter.setLowPass(900.0 + 3500.0 * strike(t, 0.04, 0.25));
        const double level =
            std::min(1.0, t / 0.03) * (t < length ? 1.0 : std::exp(-(t - length) / 0.12));
        const double y = gain * level * filter.process(harmonics(phase, partials, 1.0));
        s.channels[0][i] += y * std::sqrt(1.0 - pan);
        s.channels[1][i] += y * std::sqrt(pan);
    }
}

void timpani(Sound& s, double start, double frequency, double gain) {
    Noise noise(83);
    double phase = 0.0;
    for (std::size_t i = framesFor(start); i < s.frames(); ++i) {
        const double t = time(i) - start;
        phase += kTau * frequency * (1.0 + 0.2 * std::exp(-t / 0.03)) / kRate;
        const double y = gain * (std::sin(phase) * strike(t, 0.002, 0.4) +
                                 0.2 * noise.next() * strike(t, 0.0, 0.01));
        s.channels[0][i] += y;
        s.channels[1][i] += y;
    }
}

// Victory: a brass fanfare, C - C - F - G - C, over timpani.
Sound victory() {
    Sound s = blank(2, 4.0);
    struct Chord {
        double start, length;
        int notes[4];
    };
    const Chord chords[] = {{0.0, 0.3, {-9, -5, -2, 3}},
                            {0.4, 0.2, {-9, -5, -2, 3}},
                            {0.7, 0.45, {-4, 0, 3, 8}},
                            {1.25, 0.45, {-2, 2, 5, 10}},
                            {1.8, 1.3, {3, 7, 10, 15}}};
    for (const Chord& chord : chords) {
        for (int k = 0; k < 4; ++k) {
            brass(s, chord.start, chord.length, note(chord.notes[k]), 0.2 + 0.2 * k, 0.2);
        }
        timpani(s, chord.start, note(chord.notes[0] - 24), 0.3);
    }
    addReverb(s, 0.75, 0.3, 0.3, false);
    return s;
}

// A soft pad voice: two slightly detuned soft-edged tones.
void padVoice(Sound& s, double start, double length, double release, double frequency, double pan,
              double gain, bool wrap) {
    const double attack = std::min(2.5, length / 3.0);
    Track voice(framesFor(length + release));
    double a = 0.0;
    double b = 0.0;
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const double t = time(i);
        a += kTau * frequency * 1.0023 / kRate;
        b += kTau * frequency / 1.0023 / kRate;
        const double level = fades(t, length + release, attack, release);
        voice[i] = gain * level * (harmonics(a, 5, 2.0, true) + harmonics(b, 3, 2.0));
    }
    mixInto(s.channels[0], voice, start, std::sqrt(1.0 - pan), wrap);
    mixInto(s.channels[1], voice, start, std::sqrt(pan), wrap);
}

// Defeat: slow, sinking minor chords (Am - F - Dm - Am) under a falling line.
Sound defeat() {
    const double length = 4.5;
    Sound s = blank(2, length);
    struct Chord {
        double start, length;
        int notes[3];
        int melody;
    };
    const Chord chords[] = {{0.0, 1.1, {-12, -9, -5}, 7},
                            {1.1, 1.1, {-16, -12, -9}, 5},
                            {2.2, 1.0, {-19, -16, -12}, 3},
                            {3.2, 0.6, {-24, -17, -12}, 0}};
    for (const Chord& chord : chords) {
        for (int k = 0; k < 3; ++k) {
            padVoice(s, chord.start, chord.length, 0.7, note(chord.notes[k]), 0.25 + 0.25 * k, 0.2,
                     false);
        }
        padVoice(s, chord.start, chord.length, 0.7, note(chord.notes[0] - 12), 0.5, 0.3, false);
        padVoice(s, chord.start, chord.length * 0.8, 0.5, note(chord.melody), 0.55, 0.16, false);
    }
    addReverb(s, 0.8, 0.4, 0.35, false);
    return s;
}

// The music: a calm 32-second loop of four pad chords (Am9 - Fmaj7 - Cmaj9 -
// G6), a soft bass, and sparse pentatonic bells; every tail wraps round to
// the start so the loop has no seam.
Sound music() {
    const double bar = 8.0;
    Sound s = blank(2, 4 * bar);
    const int chords[4][5] = {
        {-12, -9, -5, -2, 2}, {-16, -12, -9, -5, -5}, {-14, -9, -5, 2, 5}, {-14, -10, -7, -5, -2}};
    const int roots[4] = {-24, -28, -21, -26};
    for (int c = 0; c < 4; ++c) {
        for (int k = 0; k < 5; ++k) {
            padVoice(s, c * bar, bar, 3.0, note(chords[c][k]), 0.15 + 0.175 * k, 0.09, true);
        }
        padVoice(s, c * bar, bar, 2.0, note(roots[c]), 0.5, 0.22, true);
    }
    const int pentatonic[] = {0, 3, 5, 7, 10, 12};
    Noise chance(97);
    const std::vector<Partial> bell{{1.0, 1.0, 1.2}, {2.0, 0.3, 0.5}, {3.01, 0.12, 0.25}};
    for (int slot = 0; slot < 64; ++slot) {
        if (chance.uniform() > 0.22) {
            continue;
        }
        Track tone(framesFor(3.0));
        addTone(tone, 0.0, note(pentatonic[static_cast<int>(chance.uniform() * 5.999)]), bell, 0.12,
                0.01);
        const double pan = 0.2 + 0.6 * chance.uniform();
        mixInto(s.channels[0], tone, slot * 0.5, std::sqrt(1.0 - pan), true);
        mixInto(s.channels[1], tone, slot * 0.5, std::sqrt(pan), true);
    }
    addReverb(s, 0.85, 0.35, 0.35, true);
    return s;
}

// The alert: two quick bright pings a fourth apart, the second higher, over
// a short rising buzz, so it cuts through a battle without being a laser.
Sound alert() {
    const double length = 0.7;
    Sound s = blank(1, length);
    const std::vector<Partial> bell{{1.0, 1.0, 0.22}, {2.0, 0.35, 0.12}, {3.01, 0.15, 0.07}};
    addTone(s.channels[0], 0.0, note(14), bell, 0.55, 0.003); // B5
    addTone(s.channels[0], 0.14, note(19), bell, 0.6, 0.003); // E6
    Biquad edge = Biquad::lowPass(2600.0);
    double phase = 0.0;
    for (std::size_t i = 0; i < s.frames(); ++i) {
        const double t = time(i);
        phase += kTau * (220.0 + 110.0 * t / length) / kRate;
        const double buzz = harmonics(phase, partialsBelow(330.0, 3000.0), 1.0, true);
        s.channels[0][i] += 0.12 * edge.process(buzz) * fades(t, length, 0.02, 0.35);
    }
    addReverb(s, 0.3, 0.5, 0.15, false);
    return s;
}

} // namespace

const std::vector<SoundAsset>& soundAssets() {
    static const std::vector<SoundAsset> assets{
        {"laser_player.wav", 1, 0.30, 0.8, false, laserPlayer},
        {"laser_computer.wav", 1, 0.35, 0.8, false, laserComputer},
        {"hit.wav", 1, 0.35, 0.8, false, hit},
        {"explosion.wav", 1, 1.8, 0.8, false, explosion},
        {"ram.wav", 1, 0.6, 0.8, false, ram},
        {"spawn.wav", 1, 0.9, 0.8, false, spawn},
        {"planet_gained.wav", 1, 1.4, 0.8, false, planetGained},
        {"planet_lost.wav", 1, 1.6, 0.8, false, planetLost},
        {"route_opened.wav", 1, 1.0, 0.8, false, routeOpened},
        {"victory.wav", 2, 4.0, 0.7, false, victory},
        {"defeat.wav", 2, 4.5, 0.7, false, defeat},
        {"music.wav", 2, 32.0, 0.5, true, music},
        {"alert.wav", 1, 0.7, 0.8, false, alert},
    };
    return assets;
}

Sound render(const SoundAsset& asset) {
    Sound sound = asset.make();
    if (!asset.loop) {
        deClick(sound);
    }
    normalize(sound, asset.peak);
    return sound;
}

} // namespace soundgen
