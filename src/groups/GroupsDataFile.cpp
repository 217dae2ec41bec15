#include "groups/GroupsDataFile.h"
#include "groups/FactoryData.h"

namespace GroupsDataFile
{
void load (const void* data, size_t size, const Groups& groups)
{
    const auto* bytes = static_cast<const uint8_t*> (data);
    const bool usable = bytes != nullptr && size >= minimumUsableSize;

    for (int g = 0; g < numGroups; ++g)
    {
        const auto start = (size_t) (markerSize + g * Bank_Program::groupSize);
        if (usable && start + (size_t) Bank_Program::groupSize <= size)
            groups[(size_t) g]->setGroupData (bytes + start, (size_t) Bank_Program::groupSize);
        else
            groups[(size_t) g]->loadFactoryGroup (g % FactoryData::numGroups);
    }
}

juce::MemoryBlock make (const Groups& groups)
{
    juce::MemoryBlock block ((size_t) fileSize, true);
    auto* out = static_cast<uint8_t*> (block.getData());

    std::memcpy (out, "Proph12 Data>", markerSize);

    for (int g = 0; g < numGroups; ++g)
    {
        const auto& data = groups[(size_t) g]->getGroupData();
        std::copy_n (data.begin(), std::min (data.size(), (size_t) Bank_Program::groupSize),
                     out + markerSize + g * Bank_Program::groupSize);
    }

    std::memcpy (out + fileSize - markerSize, "<Proph12 Data", markerSize);
    return block;
}
}
