// The vocabulary of the factory bank's descriptions: how a preset's two wavetables are
// made (the instrument's own generators and edits, step by step), its operators, its
// patch-wide values and its whole-instrument settings. `applyPreset` plays a
// description into a Synth the way a user would build the sound by hand.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "wavetable/wave_generators.h"
#include "wavetable/wave_store.h"

namespace taluma {
class Synth;
}

namespace taluma::bank {

enum class Category { ChipLead, Bass, PluckKey, BellMallet, Organ, PadString, Percussion, Effect };
constexpr int kCategoryCount = 8;
// "Chip Leads", "Basses", ...: the heading a category has in lists.
const char* categoryName(Category category);
// "Lead", "Bass", ...: the prefix of the category's file names, so that a host's preset
// browser groups the bank by category.
const char* categoryPrefix(Category category);

// One generator run, as the Wave-generator page sets it up.
class Shape {
public:
    static Shape sine() { return Shape(kGenSine); }
    static Shape triangle() { return Shape(kGenTriangle); }
    static Shape saw() { return Shape(kGenSaw); }
    static Shape square() { return Shape(kGenSquare); }
    // The generator's constant: `level` (-128..127) from cell `start` for `count` cells.
    static Shape constant(int level, int start, int count);
    // Seeded noise through `points` random points, interpolated (0 none .. 3 spline 5).
    static Shape noise(int seed, int points, int interpolation);

    Shape& cycles(double c);  // whole cycles across the table, in quarters
    Shape& amplitude(int a);
    Shape& offset(int o);
    Shape& phase(int p);  // 1/128 of the table
    Shape& range(int start, int end);
    Shape& partials(int n);  // band-limited with n partials
    Shape& loop();           // noise that joins seamlessly

    const GeneratorSettings& settings() const { return s_; }

private:
    explicit Shape(int type) { s_.type = type; }
    GeneratorSettings s_;
};

// A wavetable recipe: a size, then edits applied in order.
class Wave {
public:
    explicit Wave(int cells = 32);  // 4, 8, 16, 32, 64 or 128 cells
    Wave& gen(const Shape& shape);  // generateWave, or fillConstant for a constant
    Wave& level(LevelOp kind, int times = 1);
    Wave& bits(int keep);  // keeps the top `keep` bits (1..7) of every cell
    Wave& reverse();
    Wave& rotate(int n);  // left by n cells
    // Cells drawn by hand, as signed levels -128..127 from cell 0.
    Wave& draw(std::vector<int> levels);

    void apply(WaveStore& store, int op) const;

private:
    int log2Size_ = 5;
    std::vector<std::function<void(WaveStore&, int)>> steps_;
};

// One operator's values, in the instrument's own units.
struct Op {
    int mul = 1;
    int tune = 0;  // cents, -1200..1200
    int tl = 0;
    int ar = 127, dr = 0, sl = 0, sr = 0, rr = 80;
    int ks = 0, kc = 64;
    int vc = 2, vs = 4;
    int pms = 0, ams = 0;

    Op& ratio(int m, int cents = 0);
    Op& level(int totalLevel);
    Op& env(int attack, int decay, int sustainLevel, int sustainRate, int release);
    Op& keyScale(int depth, int centre = 64);
    Op& velocity(int curve, int sensitivity);
    Op& lfo(int pmSens, int amSens);
};

enum Algorithm : int { kAlgA = 0, kAlgB = 1, kAlgParallel = 2, kAlgSerial = 3 };
enum LfoWave : int { kLfoTriangle = 0, kLfoSaw = 1, kLfoSquare = 2, kLfoRandom = 3 };

struct Preset {
    std::string name;
    Category category = Category::ChipLead;
    std::string line;  // one line on the sound, for the README
    int lowKey = 36;   // the keys it is meant for (MIDI numbers)
    int highKey = 84;
    Wave waveA, waveB;
    Op a, b;
    int algorithm = kAlgSerial;
    int feedback = 0;  // operator A, 0..128
    int lfoWave = kLfoTriangle;
    double lfoHz = 0;  // 0: the LFO stands still
    int modWheel = 0;  // the wheel's position when the preset loads
    int bendRange = 2;
    int bitDepth = 16;
    int rateDivider = 0;  // engine at 1/(n+1) of the host rate
    int voices = 128;

    Preset(std::string presetName, Category c, std::string description)
        : name(std::move(presetName)), category(c), line(std::move(description)) {}
    Preset& keys(int low, int high);
    Preset& tables(Wave forA, Wave forB);
    Preset& ops(Op forA, Op forB);
    Preset& alg(int algorithmNumber, int feedbackLevel = 0);
    Preset& lfo(int wave, double hz, int wheel = 0);
    Preset& instrument(int bits, int divider, int voiceCount);
    Preset& bend(int semitones);

    // "<prefix> - <name>": the file name without extension.
    std::string fileStem() const;
};

// Builds the preset in the Synth (fresh or not): tables, tone values, controllers and
// instrument settings. The Synth must not be rendering.
void applyPreset(Synth& synth, const Preset& preset);

}  // namespace taluma::bank
