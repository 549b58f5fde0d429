#include "factory_presets.h"

namespace taluma::bank {

namespace {

using C = Category;

// Tables used by several presets.
// The smoothest sine the tables hold, for clean FM tones.
Wave sine() {
    return Wave(128).gen(Shape::sine());
}
// A pulse whose high part is `high` of `cells` cells, balanced around the zero line.
Wave pulse(int cells, int high, int peakToPeak) {
    const int up = peakToPeak * (cells - high) / cells;
    return Wave(cells)
        .gen(Shape::constant(up, 0, high))
        .gen(Shape::constant(up - peakToPeak, high, cells - high));
}
Wave noise(int seed) {
    return Wave(128).gen(Shape::noise(seed, 128, 0));
}

std::vector<Preset> makeBank() {
    std::vector<Preset> bank;
    auto add = [&bank](Preset p) { bank.push_back(std::move(p)); };

    // Chip leads: one operator on a stepped wave, vibrato on the mod wheel.
    add(Preset("Square Hero", C::ChipLead,
               "Plain 50% square, steady and bright; wheel adds vibrato")
            .keys(48, 96)
            .tables(Wave(32).gen(Shape::square().amplitude(100)), sine())
            .alg(kAlgA)
            .ops(Op().level(12).env(127, 20, 6, 0, 84).lfo(2, 0), Op())
            .lfo(kLfoTriangle, 5.5)
            .instrument(16, 0, 16));
    add(Preset("Pulse 25", C::ChipLead, "Nasal 25% pulse lead with a short bite at the start")
            .keys(48, 96)
            .tables(pulse(32, 8, 200), sine())
            .alg(kAlgA)
            .ops(Op().level(14).env(127, 62, 8, 4, 84).lfo(2, 0), Op())
            .lfo(kLfoTriangle, 6.0)
            .instrument(16, 0, 16));
    add(Preset("Thin Pulse", C::ChipLead,
               "12.5% pulse at half the engine rate: reedy, aliased, gritty")
            .keys(48, 96)
            .tables(pulse(32, 4, 220), sine())
            .alg(kAlgA)
            .ops(Op().level(14).env(127, 30, 10, 0, 84).lfo(2, 0), Op())
            .lfo(kLfoTriangle, 6.0)
            .instrument(8, 1, 16));
    add(Preset("Triangle Whistle", C::ChipLead,
               "16-step triangle with a soft attack and gentle vibrato always on")
            .keys(48, 96)
            .tables(Wave(32).gen(Shape::triangle()).bits(4), sine())
            .alg(kAlgA)
            .ops(Op().level(14).env(104, 0, 0, 0, 80).lfo(1, 0), Op())
            .lfo(kLfoTriangle, 5.0, 24)
            .instrument(16, 0, 16));
    add(Preset("Brass Lead", C::ChipLead, "FM brass: the tone opens as the note swells")
            .keys(36, 84)
            .tables(sine(), sine())
            .alg(kAlgSerial, 40)
            .ops(Op().level(44).env(96, 40, 8, 8, 80).velocity(2, 6),
                 Op().level(14).env(110, 20, 8, 0, 80).lfo(2, 0))
            .lfo(kLfoTriangle, 5.5));
    add(Preset("Buzz Saw", C::ChipLead, "Feedback saw: one sine folded bright by its own output")
            .keys(36, 96)
            .tables(sine(), sine())
            .alg(kAlgA, 60)
            .ops(Op().level(14).env(127, 30, 8, 0, 84).lfo(2, 0), Op())
            .lfo(kLfoTriangle, 5.5));

    // Basses.
    add(Preset("FM Bass", C::Bass, "Round FM bass with a bright pluck that follows velocity")
            .keys(24, 60)
            .tables(sine(), sine())
            .alg(kAlgSerial)
            .ops(Op().level(38).env(127, 70, 28, 30, 80).velocity(2, 6).keyScale(1),
                 Op().level(14).env(127, 40, 16, 20, 84).keyScale(1)));
    add(Preset("Chip Triangle Bass", C::Bass, "Stepped 4-bit triangle through an 8-bit output")
            .keys(24, 60)
            .tables(sine(), Wave(32).gen(Shape::triangle()).bits(4))
            .alg(kAlgB)
            .ops(Op(), Op().level(13).env(127, 10, 4, 0, 90))
            .instrument(8, 0, 16));
    add(Preset("Slap Bass", C::Bass, "Saw modulator snaps the attack, the body stays round")
            .keys(24, 60)
            .tables(Wave(32).gen(Shape::saw()), sine())
            .alg(kAlgSerial)
            .ops(Op().level(38).env(127, 76, 36, 30, 80).velocity(2, 7),
                 Op().level(14).env(127, 50, 24, 30, 84).keyScale(1)));
    add(Preset("Grit Bass", C::Bass, "25% pulse at a quarter of the engine rate: buzzy and dirty")
            .keys(24, 60)
            .tables(sine(), pulse(16, 4, 200))
            .alg(kAlgB)
            .ops(Op(), Op().level(14).env(127, 30, 12, 10, 88))
            .instrument(16, 3, 16));
    add(Preset("Wah Bass", C::Bass, "The modulator's slow attack opens each note like a wah")
            .keys(24, 60)
            .tables(sine(), sine())
            .alg(kAlgSerial, 30)
            .ops(Op().level(40).env(86, 60, 40, 0, 80), Op().level(14).env(127, 30, 12, 10, 84)));

    // Plucks and keys.
    add(Preset("Tine Piano", C::PluckKey,
               "Electric piano: a high tine beside a sine body, harder when struck harder")
            .keys(36, 96)
            .tables(sine(), sine())
            .alg(kAlgParallel)
            .ops(Op().ratio(14).level(22).env(127, 84, 110, 0, 80).velocity(2, 7).keyScale(2),
                 Op().level(16).env(127, 52, 40, 40, 70).keyScale(1)));
    add(Preset("Chip Pluck", C::PluckKey,
               "16-cell square that dies away quickly, higher is shorter")
            .keys(36, 96)
            .tables(Wave(16).gen(Shape::square().amplitude(100)), sine())
            .alg(kAlgA)
            .ops(Op().level(12).env(127, 66, 110, 0, 80).keyScale(2), Op()));
    add(Preset("Harpsichord", C::PluckKey, "Bright plucked string: saw modulator at the octave")
            .keys(36, 90)
            .tables(Wave(32).gen(Shape::saw()), sine())
            .alg(kAlgSerial)
            .ops(Op().ratio(2).level(46).env(127, 56, 24, 40, 80).keyScale(2),
                 Op().level(14).env(127, 46, 30, 44, 76).keyScale(2)));
    add(Preset("Clavi", C::PluckKey, "Funky clavinet: 25% pulse carrier, short and nasal")
            .keys(36, 84)
            .tables(sine(), pulse(32, 8, 200))
            .alg(kAlgSerial)
            .ops(Op().ratio(3).level(52).env(127, 80, 110, 0, 90).velocity(2, 7),
                 Op().level(14).env(127, 60, 36, 60, 96).keyScale(1)));
    add(Preset("Kalimba", C::PluckKey,
               "Thumb piano: a fifth partial rings briefly over a soft body")
            .keys(48, 96)
            .tables(sine(), sine())
            .alg(kAlgSerial)
            .ops(Op().ratio(5).level(54).env(127, 80, 110, 0, 80).velocity(2, 6),
                 Op().level(14).env(127, 60, 110, 0, 66).keyScale(1)));

    // Bells and mallets.
    add(Preset("Tubular Bell", C::BellMallet, "Inharmonic 1 : 3.5 bell with a long ring")
            .keys(48, 96)
            .tables(sine(), sine())
            .alg(kAlgSerial)
            .ops(Op().ratio(7, -1200).level(46).env(127, 40, 110, 0, 50),
                 Op().level(14).env(127, 38, 110, 0, 48).keyScale(1)));
    add(Preset("Glockenspiel", C::BellMallet, "Small bright bars sounding an octave up, short ring")
            .keys(60, 96)
            .tables(sine(), sine())
            .alg(kAlgSerial)
            .ops(Op().ratio(7).level(52).env(127, 64, 110, 0, 70).velocity(2, 6),
                 Op().ratio(2).level(14).env(127, 52, 110, 0, 60).keyScale(2)));
    add(Preset("Marimba", C::BellMallet,
               "Wooden bar: a knock at four times the pitch, then a warm tone")
            .keys(36, 96)
            .tables(sine(), sine())
            .alg(kAlgSerial)
            .ops(Op().ratio(4).level(52).env(127, 92, 110, 0, 90).velocity(2, 7),
                 Op().level(14).env(127, 64, 110, 0, 70).keyScale(1)));
    add(Preset("Vibraphone", C::BellMallet, "Soft metal bars with the motor's tremolo running")
            .keys(48, 96)
            .tables(sine(), sine())
            .alg(kAlgSerial)
            .ops(Op().ratio(4).level(60).env(127, 70, 110, 0, 80),
                 Op().level(13).env(127, 40, 110, 0, 56).lfo(0, 2))
            .lfo(kLfoTriangle, 5.0, 64));
    add(Preset("Music Box", C::BellMallet, "Tiny comb: high, clear and quickly fading")
            .keys(60, 96)
            .tables(sine(), Wave(16).gen(Shape::sine()))
            .alg(kAlgSerial)
            .ops(Op().ratio(5, 20).level(56).env(127, 60, 110, 0, 70),
                 Op().ratio(2).level(14).env(127, 56, 110, 0, 60).keyScale(2)));

    // Organs.
    add(Preset("Drawbar Organ", C::Organ,
               "Hollow stops with a 2 2/3' sine on top; wheel adds vibrato")
            .keys(36, 96)
            .tables(sine(), Wave(32).gen(Shape::square().partials(3)))
            .alg(kAlgParallel)
            .ops(Op().ratio(3).level(28).env(127, 0, 0, 0, 100).lfo(1, 0),
                 Op().level(18).env(127, 0, 0, 0, 100).lfo(1, 0))
            .lfo(kLfoTriangle, 6.5));
    add(Preset("Chip Organ", C::Organ, "3-bit stepped organ wave through a 6-bit output")
            .keys(36, 96)
            .tables(sine(), Wave(16).gen(Shape::saw().partials(4)).bits(3))
            .alg(kAlgB)
            .ops(Op(), Op().level(15).env(127, 0, 0, 0, 100))
            .instrument(6, 0, 32));
    add(Preset("Perc Organ", C::Organ, "Organ with a percussive third harmonic at the key strike")
            .keys(36, 96)
            .tables(sine(), Wave(32).gen(Shape::saw().partials(4)))
            .alg(kAlgParallel)
            .ops(Op().ratio(3).level(22).env(127, 70, 110, 0, 100),
                 Op().level(22).env(127, 0, 0, 0, 100)));
    add(Preset("Pipe Organ", C::Organ, "Flue pipes: flute and octave, speaking slowly")
            .keys(36, 96)
            .tables(Wave(32).gen(Shape::square().partials(2)), Wave(32).gen(Shape::triangle()))
            .alg(kAlgParallel)
            .ops(Op().ratio(2).level(23).env(100, 0, 0, 0, 72),
                 Op().level(19).env(104, 0, 0, 0, 72))
            .instrument(16, 0, 64));

    // Pads and strings.
    add(Preset("Warm Pad", C::PadString, "Two detuned soft triangles, slow swell and release")
            .keys(36, 84)
            .tables(Wave(64).gen(Shape::triangle().partials(3)),
                    Wave(64).gen(Shape::triangle().partials(3)))
            .alg(kAlgParallel)
            .ops(Op().ratio(1, 5).level(17).env(74, 30, 8, 0, 62).lfo(1, 0),
                 Op().ratio(1, -5).level(17).env(74, 30, 8, 0, 62).lfo(1, 0))
            .lfo(kLfoTriangle, 4.5));
    add(Preset("Chip Strings", C::PadString, "Detuned 5-bit saws: an ensemble of tiny violins")
            .keys(36, 84)
            .tables(Wave(32).gen(Shape::saw()).bits(5), Wave(32).gen(Shape::saw()).bits(5))
            .alg(kAlgParallel)
            .ops(Op().ratio(1, 10).level(18).env(86, 20, 6, 0, 66).lfo(1, 0),
                 Op().ratio(1, -10).level(18).env(86, 20, 6, 0, 66).lfo(1, 0))
            .lfo(kLfoTriangle, 5.5, 24));
    add(Preset("Glass Pad", C::PadString, "A slow modulator brightens the pad as it is held")
            .keys(36, 84)
            .tables(sine(), sine())
            .alg(kAlgSerial)
            .ops(Op().ratio(2).level(50).env(66, 0, 0, 0, 60),
                 Op().level(14).env(80, 0, 0, 0, 62)));
    add(Preset("Choir", C::PadString, "Hand-drawn 'ah' vowel with a slow swell and light vibrato")
            .keys(48, 84)
            .tables(Wave(32).draw({76, 63, 42, 26,  10,  0,   0,    5,   6,   6,  8,
                                   10, 9,  6,  5,   2,   -2,  -3,   -1,  -1,  -2, 3,
                                   11, 12, 4,  -11, -38, -80, -110, -88, -18, 51}),
                    sine())
            .alg(kAlgA)
            .ops(Op().level(11).env(80, 0, 0, 0, 64).lfo(1, 0), Op())
            .lfo(kLfoTriangle, 5.0, 30));
    add(Preset("Sweep Pad", C::PadString, "The LFO slowly opens and closes the modulator")
            .keys(36, 84)
            .tables(sine(), sine())
            .alg(kAlgSerial, 20)
            .ops(Op().ratio(1).level(40).env(80, 0, 0, 0, 62).lfo(0, 3),
                 Op().level(14).env(80, 0, 0, 0, 62))
            .lfo(kLfoTriangle, 0.25, 127));

    // Percussion and drums: tuned for the keys where they are written.
    add(Preset("Chip Kick", C::Percussion,
               "A sine an octave down, knocked by a fast-dying modulator")
            .keys(24, 48)
            .tables(sine(), sine())
            .alg(kAlgSerial)
            .ops(Op().level(36).env(127, 100, 110, 0, 100),
                 Op().ratio(0).level(13).env(127, 72, 110, 0, 90)));
    add(Preset("Noise Snare", C::Percussion, "Noise burst that settles into a short tuned body")
            .keys(36, 60)
            .tables(noise(1), sine())
            .alg(kAlgSerial)
            .ops(Op().level(20).env(127, 74, 110, 0, 84),
                 Op().ratio(2).level(14).env(127, 70, 110, 0, 80)));
    add(Preset("Closed Hat", C::Percussion, "Tight metallic noise tick")
            .keys(36, 72)
            .tables(noise(7), noise(11))
            .alg(kAlgSerial)
            .ops(Op().ratio(13).level(30).env(127, 92, 110, 0, 96),
                 Op().ratio(15).level(12).env(127, 92, 110, 0, 96)));
    add(Preset("Open Hat", C::Percussion, "Longer sizzling metallic noise")
            .keys(36, 72)
            .tables(noise(7), noise(11))
            .alg(kAlgSerial)
            .ops(Op().ratio(13).level(30).env(127, 64, 110, 0, 72),
                 Op().ratio(15).level(12).env(127, 66, 110, 0, 72)));
    add(Preset("Tom", C::Percussion, "Tuned drum with a stick click; play it across the keys")
            .keys(36, 72)
            .tables(sine(), sine())
            .alg(kAlgSerial)
            .ops(Op().ratio(3).level(48).env(127, 104, 110, 0, 100),
                 Op().level(14).env(127, 68, 110, 0, 80).keyScale(1)));
    add(Preset("Wood Block", C::Percussion, "Hollow knock, short and dry")
            .keys(48, 84)
            .tables(sine(), Wave(16).gen(Shape::square().partials(2)))
            .alg(kAlgSerial)
            .ops(Op().ratio(5).level(52).env(127, 100, 110, 0, 100),
                 Op().ratio(2).level(13).env(127, 92, 110, 0, 92)));

    // Effects: the LFO and the output stage as the instrument.
    add(Preset("Laser Zap", C::Effect, "Rising chirps repeat while the note fades: a space blaster")
            .keys(48, 96)
            .tables(Wave(32).gen(Shape::square().amplitude(100)), sine())
            .alg(kAlgA)
            .ops(Op().level(12).env(127, 60, 110, 0, 80).lfo(7, 0), Op())
            .lfo(kLfoSaw, 8.0, 127));
    add(Preset("Computer Bleeps", C::Effect,
               "Square beeps hop to random pitches eight times a second")
            .keys(48, 96)
            .tables(pulse(16, 4, 200), sine())
            .alg(kAlgA)
            .ops(Op().level(14).env(127, 0, 0, 0, 90).lfo(7, 0), Op())
            .lfo(kLfoRandom, 0.06, 127));
    add(Preset("Siren", C::Effect, "Slow rise and fall of five semitones either way")
            .keys(48, 96)
            .tables(Wave(32).gen(Shape::triangle()), sine())
            .alg(kAlgA)
            .ops(Op().level(14).env(120, 0, 0, 0, 70).lfo(7, 0), Op())
            .lfo(kLfoTriangle, 0.8, 127));
    add(Preset("Two-Tone Alarm", C::Effect,
               "Square LFO jumps between two pitches ten semitones apart")
            .keys(48, 96)
            .tables(sine(), sine())
            .alg(kAlgSerial, 40)
            .ops(Op().level(48).lfo(7, 0), Op().level(14).env(127, 0, 0, 0, 80).lfo(7, 0))
            .lfo(kLfoSquare, 2.0, 127));
    add(Preset("4-Bit Crunch", C::Effect, "Saw through a 4-bit output at a quarter rate")
            .keys(36, 84)
            .tables(Wave(32).gen(Shape::saw()), sine())
            .alg(kAlgA)
            .ops(Op().level(17).env(127, 30, 16, 0, 80), Op())
            .instrument(4, 3, 16));
    add(Preset("Static Storm", C::Effect, "Noise tables cross-modulated into a crackling roar")
            .keys(36, 72)
            .tables(noise(3), noise(5))
            .alg(kAlgSerial)
            .ops(Op().ratio(1).level(36).env(90, 0, 0, 0, 60).lfo(0, 4),
                 Op().level(14).env(90, 0, 0, 0, 60))
            .lfo(kLfoRandom, 6.0, 127));
    return bank;
}

}  // namespace

const std::vector<Preset>& factoryPresets() {
    static const std::vector<Preset> bank = makeBank();
    return bank;
}

}  // namespace taluma::bank
