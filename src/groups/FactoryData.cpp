#include "groups/FactoryData.h"
#include "groups/FactoryPrograms.h"

#include <cstring>

namespace FactoryData
{
const Block& block()
{
    static const Block data = []
    {
        Block bytes {};
        std::memcpy (bytes.data(), "Proph05 Data>", markerSize);

        const auto programs = FactoryPrograms::build();
        auto* out = bytes.data() + markerSize;
        for (const auto& record : programs)
            out = std::copy (record.begin(), record.end(), out);

        std::memcpy (bytes.data() + markerSize + numGroups * groupSize, "<Proph05 Data", markerSize);
        return bytes;
    }();

    return data;
}

const uint8_t* group (int f)
{
    if (f < 0 || f >= numGroups)
        return nullptr;

    return block().data() + markerSize + f * groupSize;
}
}
