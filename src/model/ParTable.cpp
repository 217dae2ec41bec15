#include "model/ParTable.h"

namespace
{
struct Row
{
    const char* name;
    uint8_t section, display, minimum;
    float maximum;
    uint8_t initial;
    uint16_t kind, x, y, width, height;
};

// Layout of rows without a control: those that stand for a real setting keep a 36-unit square
// (y = -32 as a signed value), the rest collapse to nothing (y = -16).
constexpr uint16_t offPanelY = 65504, hiddenY = 65520;

constexpr Row knobRow (const char* name, uint8_t section, uint8_t display, uint8_t initial, uint16_t x)
{
    return { name, section, display, 0, 120.0f, initial, ParTable::knob, x, 12, 66, 60 };
}

constexpr Row switchRow (const char* name, uint8_t section, uint8_t display, float maximum, uint8_t initial,
                         uint16_t kind, uint16_t x, uint16_t width = 26)
{
    return { name, section, display, 0, maximum, initial, kind, x, 29, width, 35 };
}

constexpr Row offPanelRow (const char* name, uint8_t section, uint8_t display, float maximum, uint8_t initial)
{
    return { name, section, display, 0, maximum, initial, ParTable::noControl, 0, offPanelY, 36, 36 };
}

constexpr Row unusedRow (uint8_t initial)
{
    return { "", 0, 0, 0, 0.0f, initial, ParTable::noControl, 0, hiddenY, 0, 0 };
}

std::array<Row, ParTable::numRows> makeRows()
{
    std::array<Row, ParTable::numRows> rows {};
    rows.fill (unusedRow (0));

    const Row named[] = {
        /*  0 */ knobRow ("FREQUENCY", 1, 13, 48, 25),
        /*  1 */ knobRow ("FREQUENCY", 2, 13, 48, 25),
        /*  2 */ knobRow ("FINE", 2, 21, 0, 110),
        /*  3 */ switchRow ("SHAPE SAWTOOTH", 1, 12, 1, 1, ParTable::pushSwitch, 116),
        /*  4 */ switchRow ("SHAPE PULSE", 1, 12, 1, 0, ParTable::pushSwitch, 164),
        /*  5 */ switchRow ("SHAPE SAWTOOTH", 2, 12, 1, 0, ParTable::pushSwitch, 199),
        /*  6 */ switchRow ("SHAPE TRIANGLE", 2, 12, 1, 0, ParTable::pushSwitch, 247),
        /*  7 */ switchRow ("SHAPE PULSE", 2, 12, 1, 0, ParTable::pushSwitch, 295),
        /*  8 */ knobRow ("PULSE WIDTH", 1, 0, 63, 218),
        /*  9 */ knobRow ("PULSE WIDTH", 2, 0, 63, 349),
        /* 10 */ switchRow ("SYNC", 1, 12, 1, 0, ParTable::pushSwitch, 308),
        /* 11 */ switchRow ("LOW FREQ", 2, 12, 1, 0, ParTable::pushSwitch, 440),
        /* 12 */ switchRow ("KEYBOARD", 2, 12, 1, 1, ParTable::pushSwitch, 488),
        /* 13 */ knobRow ("RATE", 8, 0, 0, 25),
        /* 14 */ knobRow ("MIX OSC A", 4, 0, 127, 25),
        /* 15 */ knobRow ("MIX OSC B", 4, 0, 0, 110),
        /* 16 */ knobRow ("MIX NOISE", 4, 0, 0, 195),
        /* 17 */ knobRow ("FILTER CUTOFF", 11, 0, 127, 79),
        /* 18 */ knobRow ("FILTER RESONANCE", 11, 0, 0, 164),
        /* 19 */ switchRow ("FILTER KEYBOARD", 11, 70, 2, 0, ParTable::threeStateSwitch, 338),
        /* 20 */ switchRow ("REV", 11, 12, 1, 1, ParTable::revisionSwitch, 26),
        /* 21 */ knobRow ("LFO FREQUENCY", 7, 0, 86, 103),
        /* 22 */ knobRow ("LFO INITIAL AMT", 7, 0, 0, 20),
        /* 23 */ switchRow ("LFO SHAPE SAW", 7, 12, 1, 0, ParTable::pushSwitch, 193),
        /* 24 */ switchRow ("LFO SHAPE TRI", 7, 12, 1, 1, ParTable::pushSwitch, 241),
        /* 25 */ switchRow ("LFO SHAPE SQR", 7, 12, 1, 0, ParTable::pushSwitch, 289),
        /* 26 */ knobRow ("WHEEL SRC MIX", 6, 0, 0, 20),
        /* 27 */ switchRow ("WHEEL FREQ A", 6, 12, 1, 1, ParTable::pushSwitch, 97),
        /* 28 */ switchRow ("WHEEL FREQ B", 6, 12, 1, 0, ParTable::pushSwitch, 145),
        /* 29 */ switchRow ("WHEEL PW A", 6, 12, 1, 0, ParTable::pushSwitch, 193),
        /* 30 */ switchRow ("WHEEL PW B", 6, 12, 1, 0, ParTable::pushSwitch, 241),
        /* 31 */ switchRow ("FILTER", 6, 12, 1, 0, ParTable::pushSwitch, 289),
        /* 32 */ knobRow ("FILTER", 5, 0, 0, 20),
        /* 33 */ knobRow ("OSC B", 5, 0, 0, 103),
        /* 34 */ switchRow ("FREQ A", 5, 12, 1, 0, ParTable::pushSwitch, 193),
        /* 35 */ switchRow ("PW A", 5, 12, 1, 0, ParTable::pushSwitch, 241),
        /* 36 */ switchRow ("FILTER", 5, 12, 1, 0, ParTable::pushSwitch, 289),
        /* 37 */ knobRow ("VINTAGE", 10, 0, 0, 20),
        /* 38 */ switchRow ("AFTERTOUCH FILTER", 14, 12, 1, 0, ParTable::splitSwitchLeft, 104, 13),
        /* 39 */ switchRow ("AFTERTOUCH LFO", 14, 12, 1, 0, ParTable::splitSwitchRight, 118, 13),
        /* 40 */ knobRow ("FILTER ENV AMT", 11, 0, 0, 248),
        /* 41 */ switchRow ("VELOCITY FILTER", 14, 12, 1, 0, ParTable::splitSwitchLeft, 22, 13),
        /* 42 */ switchRow ("VELOCITY AMP", 14, 12, 1, 0, ParTable::splitSwitchRight, 36, 13),
        /* 43 */ knobRow ("ATTACK", 12, 0, 0, 38),
        /* 44 */ knobRow ("ATTACK", 3, 0, 0, 34),
        /* 45 */ knobRow ("DECAY", 12, 0, 29, 122),
        /* 46 */ knobRow ("DECAY", 3, 0, 29, 118),
        /* 47 */ knobRow ("SUSTAIN", 12, 0, 100, 206),
        /* 48 */ knobRow ("SUSTAIN", 3, 0, 100, 202),
        /* 49 */ knobRow ("RELEASE", 12, 0, 16, 290),
        /* 50 */ knobRow ("RELEASE", 3, 0, 16, 286),
        /* 51 */ switchRow ("RELEASE", 13, 12, 1, 1, ParTable::pushSwitch, 52),
        /* 52 */ switchRow ("UNISON", 9, 12, 1, 0, ParTable::pushSwitch, 17),
        /* 53 */ offPanelRow ("VOICE COUNT", 9, 20, 6, 0),
        /* 54 */ offPanelRow ("DETUNE", 9, 0, 120, 0),
    };
    std::copy (std::begin (named), std::end (named), rows.begin());

    static const char* const noteNames[] = { "NOTE 1", "NOTE 2", "NOTE 3", "NOTE 4",
                                             "NOTE 5", "NOTE 6", "NOTE 7", "NOTE 8" };
    for (int i = 0; i < 8; ++i)
        rows[(size_t) (55 + i)] = offPanelRow (noteNames[i], 18, 0, 127, 127);

    rows[63] = unusedRow (127);
    rows[64] = unusedRow (127);

    // The name characters; the initial record is called "Basic Program".
    static const char* const nameCharNames[] = {
        "Name Char 1", "Name Char 2", "Name Char 3", "Name Char 4", "Name Char 5",
        "Name Char 6", "Name Char 7", "Name Char 8", "Name Char 9", "Name Char 10",
        "Name Char 11", "Name Char 12", "Name Char 13", "Name Char 14", "Name Char 15",
        "Name Char 16", "Name Char 17", "Name Char 18", "Name Char 19", "Name Char 20" };
    const char* initialName = "Basic Program       ";
    for (int i = 0; i < 20; ++i)
        rows[(size_t) (65 + i)] = { nameCharNames[i], 0, 0, 20, 127.0f, (uint8_t) initialName[i],
                                    ParTable::noControl, 0, hiddenY, 0, 0 };

    // Q COMP has a switch layout but no panel section: it is not shown.
    rows[85] = { "Q COMP", 0, 0, 0, 1.0f, 0, ParTable::pushSwitch, 438, 29, 26, 35 };
    rows[86] = offPanelRow ("P. B. RANGE", 17, 0, 127, 6);
    rows[87] = offPanelRow ("UNISON ASSIGN", 9, 0, 127, 0);
    rows[88] = unusedRow (127);
    rows[89] = knobRow ("VOLUME", 13, 0, 0, 160);
    rows[89].maximum = 127.0f;
    rows[90] = offPanelRow ("LINKED PROG H", 17, 0, 127, 0);
    rows[91] = offPanelRow ("LINKED PROG L", 17, 0, 127, 0);
    rows[92] = offPanelRow ("SPLIT POINT", 17, 0, 127, 0);
    // Byte 93 is the program's category; the instrument's own table names it like row 91.
    rows[93] = offPanelRow ("LINKED PROG L", 17, 0, 127, 0);

    return rows;
}

const std::array<Row, ParTable::numRows>& rows()
{
    static const auto table = makeRows();
    return table;
}

struct HostParameter
{
    const char* name;
    uint8_t parameter;
};

constexpr HostParameter hostParameters[ParTable::numHostParameters] = {
    { "PROGRAM", 100 },         { "VOLUME", 89 },           { "OSC A FREQ", 0 },        { "OSC B FREQ", 1 },
    { "OSC B FINE", 2 },        { "OSC A SH. SAW", 3 },     { "OSC A SH. PULSE", 4 },   { "OSC B SH. SAW", 5 },
    { "OSC B SH. TRIAN", 6 },   { "OSC B SH. PULSE", 7 },   { "OSC A PULSE WTH", 8 },   { "OSC B PULSE WTH", 9 },
    { "OSC SYNC", 10 },         { "OSC B LOW FREQ", 11 },   { "OSC B KEYBOARD", 12 },   { "GLIDE RATE", 13 },
    { "OSC A MIX", 14 },        { "OSC B MIX", 15 },        { "NOISE", 16 },            { "FILTER CUTOFF", 17 },
    { "FILTER RESONANCE", 18 }, { "FILTER FLT KEYBOARD", 19 }, { "FILTER REV", 20 },    { "LFO FREQUENCY", 21 },
    { "LFO INIT AMNT", 22 },    { "LFO SHAPE SAW", 23 },    { "LFO SHAPE TRI", 24 },    { "LFO SHAPE SQR", 25 },
    { "WHEEL SRC MIX", 26 },    { "WHEEL FREQ A", 27 },     { "WHEEL FREQ B", 28 },     { "WHEEL PW A", 29 },
    { "WHEEL PW B", 30 },       { "WHEEL FILTER", 31 },     { "POLY FILT AMT", 32 },    { "POLY OSC B", 33 },
    { "POLY FREQ A", 34 },      { "POLY PW A", 35 },        { "POLY FILTER", 36 },      { "VINTAGE", 37 },
    { "AFTCH  FILTER", 38 },    { "AFTCH LFO", 39 },        { "FILTER ENV AMNT", 40 },  { "VELOCITY FILTER", 41 },
    { "VELOCITY AMP", 42 },     { "FILTER ATTACK", 43 },    { "AMP ATTACK", 44 },       { "FILTER DECAY", 45 },
    { "AMP DECAY", 46 },        { "FILTER SUSTAIN", 47 },   { "AMP SUSTAIN", 48 },      { "FILTER RELEASE", 49 },
    { "AMP RELEASE", 50 },      { "RELEASE SW", 51 },       { "UNISON", 52 },           { "VOICE COUNT", 53 },
    { "DETUNE", 54 },           { "P. B. RANGE", 86 },      { "UNISON ASSIGN", 87 },
};

struct SectionGeometry
{
    int x, y, width;
};

// Origins and widths of panel sections 1..16, in panel units; every section is 96 high.
constexpr SectionGeometry panelSections[16] = {
    { 351, 26, 355 },  { 351, 122, 535 }, { 1375, 122, 365 }, { 711, 26, 282 },
    { 10, 26, 344 },   { 10, 218, 344 },  { 10, 122, 344 },   { 351, 218, 101 },
    { 457, 218, 62 },  { 891, 122, 102 }, { 993, 26, 580 },   { 993, 122, 390 },
    { 1375, 218, 365 }, { 1575, 26, 165 }, { 519, 218, 856 },  { -1375, 26, 200 },
};
constexpr int panelSectionHeight = 96;
}

ParTable::ParTable()
{
    for (int p = 0; p < numRows; ++p)
    {
        const auto& row = rows()[(size_t) p];
        names.add (row.name);
        section[(size_t) p] = row.section;
        displayFormat[(size_t) p] = row.display;
        minimum[(size_t) p] = row.minimum;
        maximum.add (row.maximum);
    }

    maximum.set (programSelector, 399.0f);

    for (int h = 0; h < numHostParameters; ++h)
    {
        const auto& host = hostParameters[h];
        hostNames.add (host.name);
        hostOfParam[host.parameter] = (uint8_t) h;
        paramOfHost[(size_t) h] = host.parameter;
    }

    for (int i = 0; i < numNrpns; ++i)
    {
        nrpnOfParam.add ((uint16_t) i);
        paramOfNrpn.add ((uint16_t) i);
    }
}

juce::String ParTable::getName (int p) const      { return names[p]; }
int ParTable::getDisplayFormat (int p) const noexcept { return at (displayFormat, p); }
int ParTable::getSection (int p) const noexcept       { return at (section, p); }
int ParTable::getMinimum (int p) const noexcept       { return at (minimum, p); }

float ParTable::getMaximum (int p) const noexcept
{
    return juce::isPositiveAndBelow (p, maximum.size()) ? maximum.getUnchecked (p) : 0.0f;
}

juce::String ParTable::getHostName (int h) const     { return hostNames[h]; }

juce::String ParTable::getHostId (int h) const
{
    // Hosts keep the ID in their projects, and LV2 makes a symbol of it: lower-case letters,
    // digits and single underscores, never a digit first.
    juce::String id;
    bool gap = false;
    for (auto c : getHostName (h).toLowerCase())
    {
        if (juce::CharacterFunctions::isLetterOrDigit (c) && c < 128)
        {
            if (gap && id.isNotEmpty())
                id << '_';
            id << c;
            gap = false;
        }
        else
        {
            gap = true;
        }
    }

    return id.isNotEmpty() && juce::CharacterFunctions::isDigit (id[0]) ? "p_" + id : id;
}
int ParTable::getHostOfParam (int p) const noexcept  { return at (hostOfParam, p); }
int ParTable::getParamOfHost (int h) const noexcept  { return at (paramOfHost, h); }
int ParTable::getNrpnOfParam (int p) const noexcept  { return at (nrpnOfParam, p); }
int ParTable::getParamOfNrpn (int n) const noexcept  { return at (paramOfNrpn, n); }

int ParTable::limitValue (int p, int v) const noexcept
{
    const auto top = getMaximum (p);
    if ((float) v > top)
        return (int) top;

    return juce::jmax (v, getMinimum (p));
}

void ParTable::buildLayout()
{
    for (auto* list : { &controlKind, &x, &y, &width, &height })
        list->clearQuick();

    for (const auto& row : rows())
    {
        controlKind.add (row.kind);
        x.add (row.x);
        y.add (row.y);
        width.add (row.width);
        height.add (row.height);
    }
}

int ParTable::getControlKind (int p) const noexcept { return at (controlKind, p); }
int ParTable::getX (int p) const noexcept           { return at (x, p); }
int ParTable::getY (int p) const noexcept           { return at (y, p); }
int ParTable::getWidth (int p) const noexcept       { return at (width, p); }
int ParTable::getHeight (int p) const noexcept      { return at (height, p); }

void ParTable::buildSections()
{
    for (auto* list : { &sectionX, &sectionY, &sectionWidth, &sectionHeight })
    {
        list->clearQuick();
        list->insertMultiple (0, 0, numSections);
    }

    for (int s = 1; s <= 16; ++s)
    {
        const auto& geometry = panelSections[s - 1];
        sectionX.set (s, geometry.x);
        sectionY.set (s, geometry.y);
        sectionWidth.set (s, geometry.width);
        sectionHeight.set (s, panelSectionHeight);
    }
}

int ParTable::getSectionX (int s) const noexcept      { return at (sectionX, s); }
int ParTable::getSectionY (int s) const noexcept      { return at (sectionY, s); }
int ParTable::getSectionWidth (int s) const noexcept  { return at (sectionWidth, s); }
int ParTable::getSectionHeight (int s) const noexcept { return at (sectionHeight, s); }

const std::array<uint8_t, 128>& ParTable::initialRecord() noexcept
{
    static const auto record = []
    {
        std::array<uint8_t, 128> bytes {};
        for (size_t p = 0; p < bytes.size(); ++p)
            bytes[p] = rows()[p].initial;
        return bytes;
    }();
    return record;
}
