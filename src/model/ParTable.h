#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <cstdint>

/** The one description of the instrument's program parameters: names, panel sections, display
    formats, limits, the on-screen panel layout, the host-parameter map and the NRPN map.

    Row p describes byte p of a program record and, for p below 100, NRPN number p. Row 100 is the
    program selector (group × 40 + program, 0..399), which has no record byte.

    Every lookup is bounds-checked: an index beyond a column's entries reads 0 (the empty text for
    names), so a bad index from the wire or a file can never read outside the table. */
class ParTable
{
public:
    static constexpr int numRows = 128;
    static constexpr int numHostParameters = 59;
    static constexpr int numNrpns = 100;
    static constexpr int numSections = 30;
    static constexpr int programSelector = 100;

    /** Control kinds of the front panel. */
    enum ControlKind : uint16_t
    {
        knob = 3,
        splitSwitchLeft = 102,
        pushSwitch = 103,
        splitSwitchRight = 104,
        revisionSwitch = 110,
        threeStateSwitch = 111,
        noControl = 65535
    };

    ParTable();

    juce::String getName (int p) const;
    int getDisplayFormat (int p) const noexcept;
    int getSection (int p) const noexcept;
    int getMinimum (int p) const noexcept;
    float getMaximum (int p) const noexcept;

    juce::String getHostName (int h) const;
    /** Host parameter h's stable identity, made from its name ("FILTER CUTOFF": "filter_cutoff");
        empty beyond the 59. Never change it: hosts store it in their projects. */
    juce::String getHostId (int h) const;
    int getHostOfParam (int p) const noexcept;
    int getParamOfHost (int h) const noexcept;

    int getNrpnOfParam (int p) const noexcept;
    int getParamOfNrpn (int n) const noexcept;

    /** The value an edit of parameter p to v really sets: at most the maximum (truncated to an
        integer), at least the minimum. */
    int limitValue (int p, int v) const noexcept;

    /** Fills the five layout columns for rows 0..127; the result never depends on earlier calls. */
    void buildLayout();
    int getControlKind (int p) const noexcept;
    int getX (int p) const noexcept;
    int getY (int p) const noexcept;
    int getWidth (int p) const noexcept;
    int getHeight (int p) const noexcept;

    /** Fills the section geometry: 30 sections, of which 1..16 are on the panel. */
    void buildSections();
    int getSectionX (int s) const noexcept;
    int getSectionY (int s) const noexcept;
    int getSectionWidth (int s) const noexcept;
    int getSectionHeight (int s) const noexcept;

    /** The record every new program starts from, byte p being row p's initial value. */
    static const std::array<uint8_t, 128>& initialRecord() noexcept;

private:
    template <typename Value>
    static int at (const juce::Array<Value>& list, int index) noexcept
    {
        return juce::isPositiveAndBelow (index, list.size()) ? (int) list.getUnchecked (index) : 0;
    }

    static int at (const std::array<uint8_t, 256>& list, int index) noexcept
    {
        return juce::isPositiveAndBelow (index, (int) list.size()) ? list[(size_t) index] : 0;
    }

    juce::StringArray names;
    std::array<uint8_t, 256> displayFormat {}, section {}, minimum {};
    juce::Array<float> maximum;
    juce::StringArray hostNames;
    std::array<uint8_t, 256> hostOfParam {}, paramOfHost {};
    juce::Array<uint16_t> nrpnOfParam, paramOfNrpn;
    juce::Array<uint16_t> controlKind, x, y, width, height;
    juce::Array<int> sectionX, sectionY, sectionWidth, sectionHeight;
};
