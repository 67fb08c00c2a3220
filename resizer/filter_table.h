#pragma once

#include <array>
#include <string_view>

namespace resizer {

// A weight function: single-precision offset in, single-precision weight out.
using WeightFunction = float (*)(float);

struct ResampleFilter {
    std::string_view name;
    WeightFunction filter;
    float support; // radius outside which the weight is 0
};

enum class FilterIndex { Box, Triangle, Hermite, Bell, BSpline, Lanczos3, Mitchell };

float boxFilter(float x);
float triangleFilter(float x);
float hermiteFilter(float x);
float bellFilter(float x);
float bSplineFilter(float x);
float lanczos3Filter(float x);
float mitchellFilter(float x);

inline constexpr std::array<ResampleFilter, 7> FilterTable{{
    {"Box", boxFilter, 0.5f},
    {"Triangle", triangleFilter, 1.0f},
    {"Hermite", hermiteFilter, 1.0f},
    {"Bell", bellFilter, 1.5f},
    {"B-Spline", bSplineFilter, 2.0f},
    {"Lanczos3", lanczos3Filter, 3.0f},
    {"Mitchell", mitchellFilter, 2.0f},
}};

inline const ResampleFilter& filterAt(FilterIndex index)
{
    return FilterTable[static_cast<std::size_t>(index)];
}

} // namespace resizer
