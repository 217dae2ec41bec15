#pragma once

#include "model/ProgramSysex.h"

#include <juce_core/juce_core.h>

#include <atomic>

/** Forty program records (a group of the instrument's memory, or the plug-in's preset bank) plus
    one single-program buffer (for the preset bank: the program being edited).

    Record i is bytes i × 128 .. i × 128 + 127 of the group data; a byte read beyond the data reads
    0, so a short or empty group never reads out of bounds.

    Every operation is safe to call from any thread: records are copied in and out under a spin
    lock held only for the copy, so the audio thread can select a program while the MIDI thread
    stores a received one. Memory is never taken or given back with the lock held: the storage
    is reserved for 99 records up front, and grows or is replaced outside the lock. */
class Bank_Program
{
public:
    static constexpr int recordSize = ProgramSysex::recordSize;
    static constexpr int recordsPerGroup = 40;
    static constexpr int groupSize = recordsPerGroup * recordSize;
    static constexpr int maximumRecords = 99;

    explicit Bank_Program (const juce::String& name);

    const juce::String& getBankName() const noexcept { return name; }

    /** The 16 name characters of record i without trailing white space. */
    juce::String programName (int i) const;
    void setProgramName (int i, const juce::String& text);

    /** Writes the record over record i. Bytes that would land at or beyond the end of the group
        data are appended instead, so storing 0, 1, 2 … into an empty group builds it up in order. */
    void storeProgram (int i, const void* record, size_t size);
    void storeProgram (int i, const ProgramSysex::Record& record) { storeProgram (i, record.data(), record.size()); }
    ProgramSysex::Record programRecord (int i) const noexcept;

    void setSingle (const void* record, size_t size);
    void setSingle (const ProgramSysex::Record& record) { setSingle (record.data(), record.size()); }
    ProgramSysex::Record single() const noexcept;

    /** One byte of the single program; 0 beyond the record. */
    uint8_t singleByte (int index) const noexcept;
    void setSingleByte (int index, uint8_t value) noexcept;

    /** The 16 name characters of the single program, trailing blanks kept. */
    juce::String singleName() const;

    ProgramSysex::Record copySingleTo (int i);
    void storeProgramAndSingle (int i, const ProgramSysex::Record& record);

    /** Group data := factory group f (0..4); any other f changes nothing. */
    void loadFactoryGroup (int f);

    /** With the factory: the first factory group; without: 40 initial records. The single program
        becomes the initial record either way. */
    void initialise (bool withFactory);

    /** Fills the group from consecutive 159-byte program dumps. 99 dumps replace the group with 99
        records; any other count overwrites records 0.. count - 1 and keeps the rest. */
    void loadDumps (const void* bytes, size_t size);

    /** The edit-buffer dump of record i. */
    ProgramSysex::Message programDump (int i) const;

    int numRecords() const noexcept;
    size_t numBytes() const noexcept;
    std::vector<uint8_t> getGroupData() const;
    void setGroupData (const void* bytes, size_t size);

    /** The 16 name characters of a record, trailing blanks kept. */
    static juce::String nameFrom (const ProgramSysex::Record& record);

private:
    void storeLocked (int i, const uint8_t* bytes, size_t size);

    using Lock = juce::SpinLock::ScopedLockType;
    mutable juce::SpinLock lock;
    juce::String name;
    std::vector<uint8_t> groupData;
    std::atomic<size_t> capacity { 0 }; // groupData's, readable without the lock
    ProgramSysex::Record singleProgram {};
};
