#include "groups/FactoryPrograms.h"
#include "model/DSI_Program.h"
#include "model/ParTable.h"

#include <vector>

namespace FactoryPrograms
{
namespace
{
// Record bytes by the panel's names.
enum P : uint8_t
{
    oscAFreq = 0, oscBFreq = 1, oscBFine = 2, oscASaw = 3, oscAPulse = 4, oscBSaw = 5, oscBTri = 6,
    oscBPulse = 7, oscAPw = 8, oscBPw = 9, sync = 10, oscBLow = 11, oscBKbd = 12, glide = 13,
    mixA = 14, mixB = 15, noise = 16, cutoff = 17, resonance = 18, filterKbd = 19, filterRev = 20,
    lfoFreq = 21, lfoAmount = 22, lfoSaw = 23, lfoTri = 24, lfoSquare = 25,
    wheelMix = 26, wheelFreqA = 27, wheelFreqB = 28, wheelPwA = 29, wheelPwB = 30, wheelFilter = 31,
    polyFilterEnv = 32, polyOscB = 33, polyFreqA = 34, polyPwA = 35, polyFilter = 36,
    vintage = 37, atFilter = 38, atLfo = 39, envAmount = 40, velFilter = 41, velAmp = 42,
    fAttack = 43, aAttack = 44, fDecay = 45, aDecay = 46, fSustain = 47, aSustain = 48,
    fRelease = 49, aRelease = 50, releaseSwitch = 51, unison = 52, voiceCount = 53, detune = 54,
    pitchBendRange = 86, volume = 89, category = 93
};

enum Category : uint8_t
{
    keys = 1, synth = 2, pads = 3, organs = 4, strings = 5, lead = 6, syncCat = 7, bass = 8,
    brightBass = 9, subBass = 10, vox = 11, brass = 12, harmonics = 13, percussion = 14, soundFx = 15
};

// Oscillator pitch runs two steps a semitone: 48 is C2, 24 an octave, 14 a fifth.
constexpr int c1 = 24, c2 = 48, c3 = 72;

struct Setting
{
    P parameter;
    int value;
};

struct Recipe
{
    const char* name;
    Category category;
    std::vector<Setting> settings;
};

// What every voice starts from: a plain sawtooth through an open filter, at a sensible level.
const std::vector<Setting> basis = {
    { oscAFreq, c2 }, { oscBFreq, c2 }, { oscBFine, 60 }, { oscASaw, 1 }, { oscAPw, 60 }, { oscBPw, 60 },
    { mixA, 110 }, { mixB, 0 }, { cutoff, 110 }, { filterKbd, 1 }, { filterRev, 1 },
    { lfoFreq, 60 }, { lfoTri, 1 }, { wheelFreqA, 1 }, { wheelFreqB, 1 },
    { fDecay, 40 }, { fSustain, 80 }, { fRelease, 20 }, { aDecay, 40 }, { aSustain, 120 }, { aRelease, 20 },
    { releaseSwitch, 1 }, { volume, 100 }, { pitchBendRange, 2 },
};

// Forty voices: slot i of every factory group holds a version of voice i.
std::vector<Recipe> voices()
{
    return {
        { "Poly Brass", brass, { { oscBSaw, 1 }, { oscBFine, 64 }, { mixB, 100 }, { cutoff, 42 }, { resonance, 8 },
            { envAmount, 68 }, { fAttack, 22 }, { fDecay, 58 }, { fSustain, 58 }, { fRelease, 30 },
            { aAttack, 8 }, { aRelease, 30 }, { vintage, 20 } } },
        { "Horns", brass, { { oscAPulse, 1 }, { oscASaw, 0 }, { oscAPw, 48 }, { oscBSaw, 1 }, { oscBFine, 57 },
            { mixB, 90 }, { cutoff, 36 }, { envAmount, 52 }, { fAttack, 38 }, { fDecay, 70 }, { fSustain, 50 },
            { aAttack, 30 }, { aRelease, 36 }, { fRelease, 36 } } },
        { "Brass Stab", brass, { { oscBSaw, 1 }, { oscBFreq, c2 + 24 }, { mixB, 80 }, { cutoff, 30 }, { resonance, 20 },
            { envAmount, 80 }, { fDecay, 34 }, { fSustain, 20 }, { aDecay, 44 }, { aSustain, 40 }, { velFilter, 1 } } },
        { "Str Machine", strings, { { oscBSaw, 1 }, { oscBFine, 66 }, { mixB, 105 }, { cutoff, 70 }, { envAmount, 10 },
            { fAttack, 50 }, { aAttack, 46 }, { aRelease, 56 }, { fRelease, 56 }, { lfoFreq, 54 },
            { wheelMix, 0 }, { vintage, 30 } } },
        { "Slow Bows", strings, { { oscAPulse, 1 }, { oscAPw, 40 }, { oscBSaw, 1 }, { oscBFine, 54 }, { mixB, 100 },
            { cutoff, 58 }, { envAmount, 24 }, { fAttack, 70 }, { aAttack, 68 }, { aRelease, 74 }, { fRelease, 74 } } },
        { "Warm Pad", pads, { { oscBSaw, 1 }, { oscBFreq, c2 - 24 }, { oscBFine, 62 }, { mixB, 80 }, { cutoff, 46 },
            { resonance, 14 }, { envAmount, 30 }, { fAttack, 64 }, { fDecay, 80 }, { aAttack, 60 },
            { aRelease, 80 }, { fRelease, 80 }, { vintage, 40 } } },
        { "Glass Pad", pads, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 20 }, { oscBTri, 1 }, { oscBFreq, c3 },
            { mixB, 70 }, { cutoff, 76 }, { resonance, 40 }, { envAmount, 20 }, { fAttack, 56 }, { aAttack, 54 },
            { aRelease, 90 }, { fRelease, 90 }, { lfoAmount, 6 } } },
        { "PWM Pad", pads, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 50 }, { oscBPulse, 1 }, { oscBPw, 70 },
            { oscBFine, 63 }, { mixB, 100 }, { cutoff, 62 }, { lfoFreq, 34 }, { lfoAmount, 30 },
            { wheelFreqA, 0 }, { wheelFreqB, 0 }, { wheelPwA, 1 }, { wheelPwB, 1 }, { fAttack, 48 },
            { aAttack, 46 }, { aRelease, 70 }, { fRelease, 70 } } },
        { "E. Piano", keys, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 30 }, { oscBTri, 1 }, { oscBFreq, c3 },
            { mixB, 60 }, { cutoff, 40 }, { envAmount, 56 }, { fDecay, 62 }, { fSustain, 10 }, { aDecay, 78 },
            { aSustain, 30 }, { aRelease, 34 }, { velFilter, 1 }, { velAmp, 1 } } },
        { "Funky Clav", keys, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 14 }, { oscBPulse, 1 }, { oscBPw, 24 },
            { oscBFreq, c3 }, { mixB, 70 }, { cutoff, 34 }, { resonance, 30 }, { envAmount, 70 }, { fDecay, 30 },
            { fSustain, 0 }, { aDecay, 46 }, { aSustain, 0 }, { aRelease, 10 }, { velFilter, 1 } } },
        { "Poly Keys", keys, { { oscBSaw, 1 }, { oscBFine, 62 }, { mixB, 90 }, { cutoff, 38 }, { envAmount, 60 },
            { fDecay, 52 }, { fSustain, 30 }, { aDecay, 64 }, { aSustain, 70 }, { aRelease, 28 }, { velAmp, 1 } } },
        { "Bell Keys", keys, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 60 }, { oscBTri, 1 }, { oscBFreq, c2 + 38 },
            { polyOscB, 44 }, { polyFreqA, 1 }, { mixB, 0 }, { cutoff, 80 }, { envAmount, 20 }, { aDecay, 86 },
            { aSustain, 0 }, { aRelease, 60 }, { fRelease, 60 } } },
        { "Sq Organ", organs, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 60 }, { oscBPulse, 1 }, { oscBFreq, c3 },
            { mixB, 90 }, { cutoff, 78 }, { envAmount, 0 }, { aDecay, 0 }, { aSustain, 120 }, { aRelease, 8 },
            { lfoFreq, 72 }, { wheelMix, 0 } } },
        { "Perc Organ", organs, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 60 }, { oscBTri, 1 }, { oscBFreq, c2 + 38 },
            { mixB, 80 }, { cutoff, 70 }, { envAmount, 40 }, { fDecay, 24 }, { fSustain, 40 }, { aRelease, 6 } } },
        { "Mono Lead", lead, { { oscBSaw, 1 }, { oscBFine, 65 }, { mixB, 110 }, { cutoff, 50 }, { resonance, 30 },
            { envAmount, 50 }, { fDecay, 50 }, { fSustain, 60 }, { unison, 1 }, { voiceCount, 0 }, { glide, 20 },
            { pitchBendRange, 12 }, { lfoFreq, 70 }, { wheelMix, 0 } } },
        { "Square Lead", lead, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 60 }, { oscBPulse, 1 }, { oscBPw, 52 },
            { oscBFreq, c2 + 24 }, { mixB, 70 }, { cutoff, 60 }, { resonance, 20 }, { envAmount, 30 },
            { unison, 1 }, { glide, 14 }, { pitchBendRange, 12 } } },
        { "Screamer", lead, { { oscBSaw, 1 }, { oscBFine, 68 }, { mixB, 110 }, { cutoff, 44 }, { resonance, 84 },
            { envAmount, 60 }, { fAttack, 10 }, { fDecay, 60 }, { fSustain, 70 }, { unison, 1 }, { voiceCount, 2 },
            { detune, 20 }, { atFilter, 1 }, { pitchBendRange, 12 } } },
        { "Flute Lead", lead, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 44 }, { oscBTri, 1 }, { mixB, 90 },
            { cutoff, 46 }, { envAmount, 30 }, { fAttack, 20 }, { aAttack, 16 }, { aRelease, 30 }, { unison, 1 },
            { glide, 26 }, { lfoFreq, 64 }, { atLfo, 1 } } },
        { "Sync Lead", syncCat, { { sync, 1 }, { oscBSaw, 1 }, { oscAFreq, c2 + 20 }, { mixA, 120 }, { mixB, 0 },
            { cutoff, 70 }, { resonance, 10 }, { envAmount, 40 }, { polyFilterEnv, 50 }, { polyFreqA, 1 },
            { fDecay, 60 }, { fSustain, 30 }, { unison, 1 }, { pitchBendRange, 12 } } },
        { "Sync Sweep", syncCat, { { sync, 1 }, { oscAFreq, c2 + 10 }, { polyFilterEnv, 90 }, { polyFreqA, 1 },
            { cutoff, 60 }, { envAmount, 50 }, { fAttack, 40 }, { fDecay, 90 }, { fSustain, 0 }, { aRelease, 40 } } },
        { "Sync Keys", syncCat, { { sync, 1 }, { oscAFreq, c2 + 14 }, { polyFilterEnv, 40 }, { polyFreqA, 1 },
            { cutoff, 56 }, { envAmount, 50 }, { fDecay, 36 }, { fSustain, 10 }, { aDecay, 56 }, { aSustain, 50 },
            { velFilter, 1 } } },
        { "Saw Bass", bass, { { oscAFreq, c1 }, { oscBFreq, c1 }, { oscBSaw, 1 }, { oscBFine, 62 }, { mixB, 100 },
            { cutoff, 26 }, { resonance, 20 }, { envAmount, 60 }, { fDecay, 40 }, { fSustain, 20 }, { aRelease, 10 },
            { filterKbd, 2 } } },
        { "Pulse Bass", bass, { { oscAFreq, c1 }, { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 30 }, { oscBFreq, c1 - 24 },
            { oscBPulse, 1 }, { mixB, 90 }, { cutoff, 30 }, { envAmount, 50 }, { fDecay, 30 }, { fSustain, 10 },
            { aRelease, 8 } } },
        { "Unison Bass", bass, { { oscAFreq, c1 }, { oscBFreq, c1 }, { oscBSaw, 1 }, { mixB, 110 }, { cutoff, 34 },
            { resonance, 16 }, { envAmount, 58 }, { fDecay, 44 }, { fSustain, 24 }, { unison, 1 }, { voiceCount, 5 },
            { detune, 30 }, { glide, 10 } } },
        { "Pluck Bass", bass, { { oscAFreq, c1 }, { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 48 }, { oscBFreq, c1 + 24 },
            { oscBTri, 1 }, { mixB, 60 }, { cutoff, 22 }, { envAmount, 76 }, { fDecay, 24 }, { fSustain, 0 },
            { aDecay, 50 }, { aSustain, 0 }, { aRelease, 12 }, { velFilter, 1 } } },
        { "Acid Bass", brightBass, { { oscAFreq, c1 }, { cutoff, 24 }, { resonance, 96 }, { envAmount, 74 },
            { fDecay, 34 }, { fSustain, 0 }, { aRelease, 8 }, { unison, 1 }, { glide, 16 }, { velFilter, 1 } } },
        { "Funk Bass", brightBass, { { oscAFreq, c1 }, { oscBFreq, c1 }, { oscBPulse, 1 }, { oscBPw, 34 }, { mixB, 90 },
            { cutoff, 36 }, { resonance, 44 }, { envAmount, 70 }, { fDecay, 28 }, { fSustain, 14 }, { aRelease, 8 } } },
        { "Sub Bass", subBass, { { oscAFreq, c1 }, { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 60 }, { oscBFreq, c1 - 24 },
            { oscBTri, 1 }, { mixB, 110 }, { cutoff, 18 }, { envAmount, 20 }, { filterKbd, 0 }, { aRelease, 12 } } },
        { "Deep Sub", subBass, { { oscAFreq, c1 - 24 }, { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 60 }, { oscBFreq, c1 - 24 },
            { oscBTri, 1 }, { oscBFine, 61 }, { mixB, 120 }, { cutoff, 14 }, { filterKbd, 0 }, { unison, 1 } } },
        { "Vox Choir", vox, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 36 }, { oscBSaw, 1 }, { oscBFine, 63 },
            { mixB, 90 }, { noise, 10 }, { cutoff, 50 }, { resonance, 60 }, { envAmount, 14 }, { fAttack, 60 },
            { aAttack, 58 }, { aRelease, 70 }, { fRelease, 70 }, { lfoFreq, 50 }, { lfoAmount, 8 } } },
        { "Formant Vox", vox, { { oscBSaw, 1 }, { oscBFreq, c2 + 24 }, { mixB, 60 }, { cutoff, 56 }, { resonance, 90 },
            { envAmount, 24 }, { fAttack, 34 }, { aAttack, 30 }, { aRelease, 50 }, { atFilter, 1 } } },
        { "PM Bell", harmonics, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 60 }, { oscBTri, 1 }, { oscBFreq, c2 + 31 },
            { polyOscB, 70 }, { polyFreqA, 1 }, { mixB, 0 }, { cutoff, 90 }, { envAmount, 0 }, { aDecay, 96 },
            { aSustain, 0 }, { aRelease, 80 }, { fRelease, 80 } } },
        { "Harmonics", harmonics, { { oscBSaw, 1 }, { oscBFreq, c2 + 24 }, { mixB, 80 }, { cutoff, 40 }, { resonance, 110 },
            { envAmount, 40 }, { fAttack, 50 }, { fDecay, 90 }, { aAttack, 20 }, { aRelease, 50 }, { lfoAmount, 20 },
            { lfoFreq, 30 } } },
        { "Synth Tom", percussion, { { oscASaw, 0 }, { oscAPulse, 0 }, { mixA, 0 }, { cutoff, 50 }, { resonance, 118 },
            { polyFilterEnv, 60 }, { envAmount, 60 }, { fDecay, 40 }, { fSustain, 0 }, { aDecay, 50 }, { aSustain, 0 },
            { aRelease, 40 }, { filterKbd, 2 } } },
        { "Noise Snare", percussion, { { oscASaw, 0 }, { mixA, 0 }, { noise, 120 }, { cutoff, 70 }, { resonance, 30 },
            { envAmount, 40 }, { fDecay, 30 }, { fSustain, 0 }, { aDecay, 36 }, { aSustain, 0 }, { aRelease, 30 } } },
        { "Analog Kick", percussion, { { oscASaw, 0 }, { oscAPulse, 0 }, { mixA, 0 }, { cutoff, 20 }, { resonance, 120 },
            { envAmount, 90 }, { fDecay, 26 }, { fSustain, 0 }, { aDecay, 40 }, { aSustain, 0 }, { aRelease, 20 },
            { filterKbd, 0 } } },
        { "Wind", soundFx, { { oscASaw, 0 }, { mixA, 0 }, { noise, 110 }, { cutoff, 50 }, { resonance, 100 },
            { lfoFreq, 16 }, { lfoAmount, 50 }, { lfoTri, 1 }, { wheelFreqA, 0 }, { wheelFreqB, 0 }, { wheelFilter, 1 },
            { wheelMix, 0 }, { aAttack, 70 }, { aRelease, 90 }, { fRelease, 90 } } },
        { "Laser Zap", soundFx, { { oscBSaw, 1 }, { polyOscB, 100 }, { polyFreqA, 1 }, { mixB, 0 }, { cutoff, 80 },
            { resonance, 60 }, { envAmount, 60 }, { fDecay, 30 }, { fSustain, 0 }, { aDecay, 40 }, { aSustain, 0 },
            { oscBLow, 1 }, { oscBKbd, 0 } } },
        { "Siren", soundFx, { { oscASaw, 0 }, { oscAPulse, 1 }, { oscAPw, 60 }, { cutoff, 90 }, { lfoFreq, 40 },
            { lfoAmount, 60 }, { lfoTri, 1 }, { wheelFreqA, 1 }, { aRelease, 30 } } },
        { "Poly Synth", synth, { { oscBSaw, 1 }, { oscBFreq, c2 + 24 }, { oscBFine, 61 }, { mixB, 70 }, { cutoff, 52 },
            { resonance, 24 }, { envAmount, 46 }, { fDecay, 50 }, { fSustain, 40 }, { aRelease, 30 }, { velFilter, 1 } } },
    };
}

// Five versions of every voice, one per factory group: as designed, then wider, darker, softer
// and with more bite.
struct Version
{
    const char* suffix;
    void (*apply) (ProgramSysex::Record&);
};

int get (const ProgramSysex::Record& r, P p) { return r[p]; }
void set (ProgramSysex::Record& r, P p, int v) { r[p] = (uint8_t) juce::jmax (0, v); }
void add (ProgramSysex::Record& r, P p, int delta) { set (r, p, get (r, p) + delta); }

const Version versions[numVersions] = {
    { "", [] (ProgramSysex::Record&) {} },
    { " Wide", [] (ProgramSysex::Record& r)
        {
            add (r, oscBFine, get (r, oscBFine) >= 60 ? 4 : -4);
            add (r, vintage, 30);
            add (r, detune, 40);
            add (r, aRelease, 10);
        } },
    { " Dark", [] (ProgramSysex::Record& r)
        {
            add (r, cutoff, -16);
            add (r, resonance, 14);
            add (r, envAmount, 10);
            set (r, filterRev, 0);
        } },
    { " Soft", [] (ProgramSysex::Record& r)
        {
            add (r, aAttack, 24);
            add (r, fAttack, 24);
            add (r, aRelease, 20);
            add (r, fRelease, 20);
            add (r, vintage, 20);
            set (r, velAmp, 1);
        } },
    { " Bite", [] (ProgramSysex::Record& r)
        {
            add (r, envAmount, 24);
            set (r, fDecay, get (r, fDecay) * 3 / 5);
            add (r, resonance, 10);
            set (r, velFilter, 1);
            set (r, atFilter, 1);
        } },
};

// Every byte within what the instrument accepts for it; rows without a range keep the initial value.
void limitToRanges (ProgramSysex::Record& record)
{
    static const ParTable table;

    for (int p = 0; p < ProgramSysex::recordSize; ++p)
        if (table.getMaximum (p) > 0.0f)
            record[(size_t) p] = (uint8_t) table.limitValue (p, record[(size_t) p]);
}
}

std::array<ProgramSysex::Record, numVoices * numVersions> build()
{
    const auto recipes = voices();
    jassert ((int) recipes.size() == numVoices);

    std::array<ProgramSysex::Record, numVoices * numVersions> programs {};

    for (int v = 0; v < numVersions; ++v)
    {
        for (int i = 0; i < numVoices && i < (int) recipes.size(); ++i)
        {
            const auto& recipe = recipes[(size_t) i];
            auto record = ParTable::initialRecord();

            for (const auto& s : basis)
                set (record, s.parameter, s.value);
            for (const auto& s : recipe.settings)
                set (record, s.parameter, s.value);

            versions[v].apply (record);
            set (record, category, recipe.category);
            limitToRanges (record);

            DSI_Program program;
            program.setRaw (record.data());
            program.setName (juce::String (recipe.name) + versions[v].suffix);
            programs[(size_t) (v * numVoices + i)] = program.getData();
        }
    }

    return programs;
}
}
