#include "contributor_list.h"

#include "extended.h"
#include "lanczos3_fast.h"

#include <algorithm>
#include <cmath>

namespace resizer {

using detail::extended;
using detail::single;

float scaleFactor(std::int32_t sourceLength, std::int32_t destinationLength)
{
    if (sourceLength == 1)
        return single(extended(destinationLength) / sourceLength);
    return single(extended(destinationLength - 1) / (sourceLength - 1));
}

std::int32_t reflectIndex(std::int64_t position, std::int32_t sourceLength)
{
    std::int64_t index = position;
    if (index < 0)
        index = -index;
    else if (index >= sourceLength)
        index = 2 * std::int64_t(sourceLength) - 1 - index;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(index, 0, sourceLength - 1));
}

namespace {

std::vector<ContributorList> buildLists(std::int32_t sourceLength, std::int32_t destinationLength,
                                        WeightFunction filter, float support)
{
    if (sourceLength < 1 || destinationLength < 1)
        throw ResampleError("Contributor lists need lengths of at least 1");

    const float scale = scaleFactor(sourceLength, destinationLength);
    const bool reduction = scale < 1.0f;
    float width = support;
    float filterScale = 1.0f;
    if (reduction) {
        if (scale == 0.0f)
            throw DivisionByZeroError();
        width = single(extended(support) / scale);
        filterScale = single(1.0L / scale);
    }
    // Room for every non-zero weight of the table's filters; push_back grows the list
    // should rounding ever produce one more.
    const auto capacity = static_cast<std::size_t>(std::trunc(2.0L * width + 1.0L));

    std::vector<ContributorList> lists(static_cast<std::size_t>(destinationLength));
    for (std::int32_t i = 0; i < destinationLength; ++i) {
        ContributorList& list = lists[static_cast<std::size_t>(i)];
        list.entries.reserve(capacity);
        const float centre = single(extended(i) / scale);
        const auto left = static_cast<std::int64_t>(std::floor(extended(centre) - width));
        const auto right = static_cast<std::int64_t>(std::ceil(extended(centre) + width));
        for (std::int64_t j = left; j <= right; ++j) {
            const extended offset = extended(centre) - extended(j);
            const float weight = reduction
                ? single(extended(filter(single(offset / filterScale))) / filterScale)
                : filter(single(offset));
            if (weight == 0.0f)
                continue;
            list.entries.push_back({reflectIndex(j, sourceLength), weight});
        }
    }
    return lists;
}

} // namespace

std::vector<ContributorList> buildContributorLists(std::int32_t sourceLength, std::int32_t destinationLength,
                                                   WeightFunction filter, float support)
{
    // Same weights, several times faster to compute.
    if (filter == lanczos3Filter)
        filter = detail::lanczos3FilterFast;
    return buildLists(sourceLength, destinationLength, filter, support);
}

std::vector<ContributorList> detail::buildContributorListsPlain(std::int32_t sourceLength,
                                                                std::int32_t destinationLength,
                                                                WeightFunction filter, float support)
{
    return buildLists(sourceLength, destinationLength, filter, support);
}

} // namespace resizer
