#pragma once

#include "filter_table.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace resizer {

// One source sample feeding one destination sample.
struct Contributor {
    std::int32_t sourceIndex; // inside 0 .. n_src - 1, after reflection at the edges
    float weight;             // never exactly 0
};

// The contributors of one destination column (horizontal pass) or row (vertical pass),
// in ascending order of source position before reflection.
struct ContributorList {
    std::vector<Contributor> entries;
    std::int32_t size() const { return static_cast<std::int32_t>(entries.size()); }
};

class ResampleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A scale factor of exactly 0 (a destination length of 1 from a longer source) divides by it.
class DivisionByZeroError : public ResampleError {
public:
    DivisionByZeroError() : ResampleError("Floating point division by zero") {}
};

// Corner-aligned scale factor of one direction, single precision.
float scaleFactor(std::int32_t sourceLength, std::int32_t destinationLength);

// Source index read for position j: one reflection at either edge, then, for sources
// shorter than the filter's reach, a clamp to the nearest edge so nothing outside is read.
std::int32_t reflectIndex(std::int64_t position, std::int32_t sourceLength);

// The lists of one direction, one per destination sample. Requires lengths of at least 1.
std::vector<ContributorList> buildContributorLists(std::int32_t sourceLength,
                                                   std::int32_t destinationLength,
                                                   WeightFunction filter, float support);

namespace detail {
// The same lists with every weight computed by the filter as given (no faster
// equivalent substituted): the yardstick for tests.
std::vector<ContributorList> buildContributorListsPlain(std::int32_t sourceLength, std::int32_t destinationLength,
                                                        WeightFunction filter, float support);
} // namespace detail

} // namespace resizer
