#include "model/ParTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

TEST (ParTable, HostMapIsABijectionOnItsFiftyNineEntries)
{
    const ParTable table;
    std::set<int> params;

    for (int h = 0; h < ParTable::numHostParameters; ++h)
    {
        const auto p = table.getParamOfHost (h);
        EXPECT_TRUE (params.insert (p).second) << "host " << h << " maps to parameter " << p << " twice";
        EXPECT_EQ (table.getHostOfParam (p), h) << "parameter " << p;
        EXPECT_FALSE (table.getHostName (h).isEmpty()) << "host " << h;
    }

    EXPECT_EQ (table.getParamOfHost (0), 100);
    EXPECT_EQ (table.getHostName (0), "PROGRAM");
    EXPECT_EQ (table.getHostName (21), "FILTER FLT KEYBOARD");
    EXPECT_EQ (table.getHostName (58), "UNISON ASSIGN");

    for (int p = 0; p <= 54; ++p)
        EXPECT_EQ (table.getHostOfParam (p), p + 2) << "parameter " << p;

    // Parameters without a host parameter read 0, like the program selector.
    for (int p : { 55, 62, 63, 65, 85, 88, 90, 93, 127, 200, -1 })
        EXPECT_EQ (table.getHostOfParam (p), 0) << "parameter " << p;

    int mapped = 0;
    for (int p = 0; p < 256; ++p)
        mapped += table.getHostOfParam (p) != 0 ? 1 : 0;
    EXPECT_EQ (mapped, 58);
}

// Hosts store these in their projects (LV2 as symbols): the list is fixed from here on.
TEST (ParTable, HostIdsAreStableSymbolsMadeFromTheNames)
{
    const char* const expected[] = {
        "program", "volume", "osc_a_freq", "osc_b_freq", "osc_b_fine", "osc_a_sh_saw", "osc_a_sh_pulse",
        "osc_b_sh_saw", "osc_b_sh_trian", "osc_b_sh_pulse", "osc_a_pulse_wth", "osc_b_pulse_wth", "osc_sync",
        "osc_b_low_freq", "osc_b_keyboard", "glide_rate", "osc_a_mix", "osc_b_mix", "noise", "filter_cutoff",
        "filter_resonance", "filter_flt_keyboard", "filter_rev", "lfo_frequency", "lfo_init_amnt", "lfo_shape_saw",
        "lfo_shape_tri", "lfo_shape_sqr", "wheel_src_mix", "wheel_freq_a", "wheel_freq_b", "wheel_pw_a",
        "wheel_pw_b", "wheel_filter", "poly_filt_amt", "poly_osc_b", "poly_freq_a", "poly_pw_a", "poly_filter",
        "vintage", "aftch_filter", "aftch_lfo", "filter_env_amnt", "velocity_filter", "velocity_amp",
        "filter_attack", "amp_attack", "filter_decay", "amp_decay", "filter_sustain", "amp_sustain",
        "filter_release", "amp_release", "release_sw", "unison", "voice_count", "detune", "p_b_range", "unison_assign"
    };
    static_assert (std::size (expected) == ParTable::numHostParameters);

    const ParTable table;
    for (int h = 0; h < ParTable::numHostParameters; ++h)
        EXPECT_EQ (table.getHostId (h), expected[h]) << table.getHostName (h);
    EXPECT_EQ (table.getHostId (59), juce::String());
}

TEST (ParTable, NrpnNumbersAreParameterIndicesBelowOneHundred)
{
    const ParTable table;
    for (int i = 0; i < 100; ++i)
    {
        EXPECT_EQ (table.getNrpnOfParam (i), i);
        EXPECT_EQ (table.getParamOfNrpn (i), i);
    }

    for (int n : { 100, 127, 1024, 16383, -5 })
        EXPECT_EQ (table.getParamOfNrpn (n), 0) << "NRPN " << n;
}

TEST (ParTable, LookupsBeyondTheTableReadZero)
{
    const ParTable table;
    EXPECT_EQ (table.getMaximum (100), 399.0f);
    EXPECT_EQ (table.getMaximum (63), 0.0f);
    EXPECT_EQ (table.getMaximum (127), 0.0f);
    EXPECT_EQ (table.getMaximum (130), 0.0f);
    EXPECT_EQ (table.getMaximum (-1), 0.0f);

    for (int p : { 128, 255, 256, 100000, -1 })
    {
        EXPECT_EQ (table.getName (p), juce::String()) << p;
        EXPECT_EQ (table.getSection (p), 0) << p;
        EXPECT_EQ (table.getDisplayFormat (p), 0) << p;
        EXPECT_EQ (table.getMinimum (p), 0) << p;
        EXPECT_EQ (table.getHostName (p), juce::String()) << p;
        EXPECT_EQ (table.getParamOfHost (p), 0) << p;
    }
}

TEST (ParTable, RowsThatAreEasyToGetWrong)
{
    const ParTable table;
    EXPECT_EQ (table.getSection (85), 0);          // Q COMP: a switch layout, but not on the panel
    EXPECT_EQ (table.getName (93), "LINKED PROG L"); // the category byte, named like row 91
    EXPECT_EQ (table.getName (91), "LINKED PROG L");
    EXPECT_EQ (table.getMinimum (65), 20);
    EXPECT_EQ (table.getMaximum (89), 127.0f);
    EXPECT_EQ (table.getDisplayFormat (0), 13);
    EXPECT_EQ (table.getDisplayFormat (2), 21);
    EXPECT_EQ (table.getDisplayFormat (19), 70);
    EXPECT_EQ (table.getDisplayFormat (53), 20);
    EXPECT_EQ (table.getSection (55), 18);
    EXPECT_EQ (table.getSection (86), 17);
    EXPECT_EQ (table.getSection (87), 9);

    // Section membership, as the panel builds its controls from it.
    const std::map<int, std::vector<int>> sections = {
        { 1, { 0, 3, 4, 8, 10 } },   { 2, { 1, 2, 5, 6, 7, 9, 11, 12 } }, { 3, { 44, 46, 48, 50 } },
        { 4, { 14, 15, 16 } },       { 5, { 32, 33, 34, 35, 36 } },      { 6, { 26, 27, 28, 29, 30, 31 } },
        { 7, { 21, 22, 23, 24, 25 } }, { 8, { 13 } },                    { 9, { 52, 53, 54, 87 } },
        { 10, { 37 } },              { 11, { 17, 18, 19, 20, 40 } },     { 12, { 43, 45, 47, 49 } },
        { 13, { 51, 89 } },          { 14, { 38, 39, 41, 42 } },         { 17, { 86, 90, 91, 92, 93 } },
        { 18, { 55, 56, 57, 58, 59, 60, 61, 62 } } };

    std::map<int, std::vector<int>> found;
    for (int p = 0; p < ParTable::numRows; ++p)
        if (table.getSection (p) != 0)
            found[table.getSection (p)].push_back (p);
    EXPECT_EQ (found, sections);
}

TEST (ParTable, EditsAreLimitedToTheRowsRange)
{
    const ParTable table;
    const struct { int parameter, asked, result; } cases[] = {
        { 65, 10, 20 }, { 53, 9, 6 }, { 19, 3, 2 }, { 17, 121, 120 }, { 17, -4, 0 }, { 17, 64, 64 },
        { 100, 400, 399 }, { 63, 5, 0 }, { 3, 1, 1 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (table.limitValue (c.parameter, c.asked), c.result) << "parameter " << c.parameter << " to " << c.asked;
}

TEST (ParTable, LayoutAndSectionsAppearWhenBuiltAndRebuildIdentically)
{
    ParTable table;
    EXPECT_EQ (table.getControlKind (0), 0);
    EXPECT_EQ (table.getSectionX (1), 0);

    table.buildLayout();
    table.buildLayout();
    EXPECT_EQ (table.getControlKind (0), ParTable::knob);
    EXPECT_EQ (table.getControlKind (53), ParTable::noControl);
    EXPECT_EQ (table.getControlKind (85), ParTable::pushSwitch);
    EXPECT_EQ (table.getControlKind (128), 0);
    EXPECT_EQ (table.getY (53), 65504);
    EXPECT_EQ (table.getY (63), 65520);
    EXPECT_EQ ((int16_t) table.getY (53), -32);

    const struct { int p, kind, x, y, w, h; } rows[] = {
        { 2, 3, 110, 12, 66, 60 },     { 19, 111, 338, 29, 26, 35 }, { 20, 110, 26, 29, 26, 35 },
        { 38, 102, 104, 29, 13, 35 },  { 42, 104, 36, 29, 13, 35 },  { 89, 3, 160, 12, 66, 60 },
        { 86, 65535, 0, 65504, 36, 36 }, { 100, 65535, 0, 65520, 0, 0 },
    };
    for (const auto& r : rows)
    {
        EXPECT_EQ (table.getControlKind (r.p), r.kind) << r.p;
        EXPECT_EQ (table.getX (r.p), r.x) << r.p;
        EXPECT_EQ (table.getY (r.p), r.y) << r.p;
        EXPECT_EQ (table.getWidth (r.p), r.w) << r.p;
        EXPECT_EQ (table.getHeight (r.p), r.h) << r.p;
    }

    table.buildSections();
    table.buildSections();
    EXPECT_EQ (table.getSectionX (1), 351);
    EXPECT_EQ (table.getSectionY (3), 122);
    EXPECT_EQ (table.getSectionWidth (15), 856);
    EXPECT_EQ (table.getSectionHeight (8), 96);
    EXPECT_EQ (table.getSectionX (16), -1375);
    EXPECT_EQ (table.getSectionWidth (17), 0);
    EXPECT_EQ (table.getSectionWidth (29), 0);
    EXPECT_EQ (table.getSectionWidth (30), 0);
}

TEST (ParTable, InitialRecordHoldsTheBasicProgram)
{
    const auto& record = ParTable::initialRecord();
    const std::string name (record.begin() + 65, record.begin() + 85);
    EXPECT_EQ (name, "Basic Program       ");

    const struct { int p, v; } bytes[] = {
        { 0, 48 }, { 2, 0 }, { 3, 1 }, { 8, 63 }, { 14, 127 }, { 17, 127 }, { 20, 1 }, { 21, 86 }, { 24, 1 },
        { 27, 1 }, { 45, 29 }, { 47, 100 }, { 49, 16 }, { 51, 1 }, { 55, 127 }, { 62, 127 }, { 63, 127 },
        { 64, 127 }, { 86, 6 }, { 88, 127 }, { 89, 0 }, { 93, 0 }, { 94, 0 }, { 127, 0 },
    };
    for (const auto& b : bytes)
        EXPECT_EQ (record[(size_t) b.p], b.v) << "byte " << b.p;
}
