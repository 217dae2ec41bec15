#include "groups/Bank_Program.h"
#include "groups/FactoryData.h"
#include "model/DSI_Program.h"
#include "model/ParTable.h"

Bank_Program::Bank_Program (const juce::String& bankName) : name (bankName)
{
    // Room for the largest group a file brings (99 records), so storing never grows it.
    groupData.reserve ((size_t) maximumRecords * recordSize);
    capacity = groupData.capacity();
}

juce::String Bank_Program::nameFrom (const ProgramSysex::Record& record)
{
    juce::String text;
    for (int k = 0; k < DSI_Program::nameLength; ++k)
        text << juce::String::charToString ((juce::juce_wchar) record[(size_t) (DSI_Program::nameOffset + k)]);
    return text;
}

juce::String Bank_Program::programName (int i) const
{
    return nameFrom (programRecord (i)).trimEnd();
}

void Bank_Program::setProgramName (int i, const juce::String& text)
{
    if (i < 0 || i >= numRecords())
        return;

    DSI_Program program;
    const auto before = programRecord (i);
    program.setRaw (before.data());
    program.setName (text);
    const auto record = program.getData();

    // Only the name bytes change, so a concurrent store of other bytes is not undone.
    const Lock sl (lock);
    const auto start = (size_t) i * recordSize + DSI_Program::nameOffset;
    if (start + DSI_Program::nameLength <= groupData.size())
        std::copy_n (record.begin() + DSI_Program::nameOffset, DSI_Program::nameLength, groupData.begin() + (std::ptrdiff_t) start);
}

void Bank_Program::storeProgram (int i, const void* record, size_t size)
{
    if (i < 0 || record == nullptr)
        return;

    // Growing the storage allocates: done before taking the lock, never under it, so a thread
    // that reads a record (the audio thread too) only ever waits for a copy.
    const auto needed = (size_t) i * recordSize + size;
    std::vector<uint8_t> grown;
    if (needed > capacity.load())
        grown.reserve (needed);

    const Lock sl (lock);
    if (grown.capacity() > groupData.capacity())
    {
        grown.assign (groupData.begin(), groupData.end());
        groupData.swap (grown);
        capacity = groupData.capacity();
    }
    storeLocked (i, static_cast<const uint8_t*> (record), size);
}

void Bank_Program::storeLocked (int i, const uint8_t* bytes, size_t size)
{
    for (size_t k = 0; k < size; ++k)
    {
        const auto position = (size_t) i * recordSize + k;
        if (position < groupData.size())
            groupData[position] = bytes[k];
        else
            groupData.push_back (bytes[k]);
    }
}

ProgramSysex::Record Bank_Program::programRecord (int i) const noexcept
{
    ProgramSysex::Record record {};
    if (i < 0)
        return record;

    const Lock sl (lock);
    for (size_t k = 0; k < record.size(); ++k)
    {
        const auto position = (size_t) i * recordSize + k;
        record[k] = position < groupData.size() ? groupData[position] : 0;
    }
    return record;
}

void Bank_Program::setSingle (const void* record, size_t size)
{
    ProgramSysex::Record copy {};
    if (record != nullptr)
        std::copy_n (static_cast<const uint8_t*> (record), std::min (size, (size_t) recordSize), copy.begin());

    const Lock sl (lock);
    singleProgram = copy;
}

ProgramSysex::Record Bank_Program::single() const noexcept
{
    const Lock sl (lock);
    return singleProgram;
}

uint8_t Bank_Program::singleByte (int index) const noexcept
{
    const Lock sl (lock);
    return juce::isPositiveAndBelow (index, recordSize) ? singleProgram[(size_t) index] : 0;
}

void Bank_Program::setSingleByte (int index, uint8_t value) noexcept
{
    const Lock sl (lock);
    if (juce::isPositiveAndBelow (index, recordSize))
        singleProgram[(size_t) index] = value;
}

juce::String Bank_Program::singleName() const
{
    return nameFrom (single());
}

ProgramSysex::Record Bank_Program::copySingleTo (int i)
{
    const auto record = single();
    storeProgram (i, record);
    return record;
}

void Bank_Program::storeProgramAndSingle (int i, const ProgramSysex::Record& record)
{
    storeProgram (i, record);
    setSingle (record);
}

void Bank_Program::loadFactoryGroup (int f)
{
    if (const auto* group = FactoryData::group (f))
        setGroupData (group, (size_t) groupSize);
}

void Bank_Program::initialise (bool withFactory)
{
    const auto& initial = ParTable::initialRecord();
    setSingle (initial);

    if (withFactory)
    {
        loadFactoryGroup (0);
        return;
    }

    std::vector<uint8_t> group;
    group.reserve ((size_t) groupSize);
    for (int i = 0; i < recordsPerGroup; ++i)
        group.insert (group.end(), initial.begin(), initial.end());
    setGroupData (group.data(), group.size());
}

void Bank_Program::loadDumps (const void* bytes, size_t size)
{
    if (bytes == nullptr)
        return;

    const auto* message = static_cast<const uint8_t*> (bytes);
    const auto count = size / (size_t) ProgramSysex::programDumpSize;

    // A whole-memory file of 99 dumps replaces the group outright.
    if (count == 99)
    {
        const Lock sl (lock);
        groupData.clear();
    }

    for (size_t k = 0; k < count; ++k)
    {
        DSI_Program program;
        program.load (message + k * (size_t) ProgramSysex::programDumpSize, (size_t) ProgramSysex::programDumpSize);
        storeProgram ((int) k, program.getData());
    }
}

ProgramSysex::Message Bank_Program::programDump (int i) const
{
    return ProgramSysex::editBufferDump (programRecord (i));
}

void Bank_Program::setGroupData (const void* bytes, size_t size)
{
    const auto* begin = static_cast<const uint8_t*> (bytes);
    if (begin == nullptr)
        size = 0;

    std::vector<uint8_t> replacement;
    if (size > capacity.load())
        replacement.assign (begin, begin + size);

    {
        const Lock sl (lock);
        if (size <= groupData.capacity())
        {
            groupData.assign (begin, begin + size);
            return;
        }
        groupData.swap (replacement);
        capacity = groupData.capacity();
    }
    // the old storage is freed here, outside the lock
}

std::vector<uint8_t> Bank_Program::getGroupData() const
{
    // The copy's memory is taken outside the lock; should the size change meanwhile, again.
    for (;;)
    {
        std::vector<uint8_t> copy (numBytes());
        const Lock sl (lock);
        if (copy.size() == groupData.size())
        {
            std::copy (groupData.begin(), groupData.end(), copy.begin());
            return copy;
        }
    }
}

size_t Bank_Program::numBytes() const noexcept
{
    const Lock sl (lock);
    return groupData.size();
}

int Bank_Program::numRecords() const noexcept
{
    return (int) numBytes() / recordSize;
}
