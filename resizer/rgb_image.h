#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace resizer {

// Leaves new elements uninitialised: every pixel buffer is written whole before it is
// read, and zero-filling hundreds of megabytes first costs a visible share of a resize.
template <typename T>
struct DefaultInitAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = DefaultInitAllocator<U>;
    };
    using std::allocator<T>::allocator;
    template <typename U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using PixelBuffer = std::vector<std::uint8_t, DefaultInitAllocator<std::uint8_t>>;

// A 24-bit raster: three 8-bit channels per pixel in consecutive bytes, rows top to
// bottom without padding. The engine treats the channels alike; the codec stores R, G, B.
struct RgbImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelBuffer pixels; // uninitialised until written

    RgbImage() = default;
    RgbImage(std::int32_t w, std::int32_t h)
        : width(w), height(h), pixels(std::size_t(w < 0 ? 0 : w) * std::size_t(h < 0 ? 0 : h) * 3)
    {
    }

    std::size_t rowBytes() const { return std::size_t(width) * 3; }
    std::uint8_t* row(std::int32_t y) { return pixels.data() + std::size_t(y) * rowBytes(); }
    const std::uint8_t* row(std::int32_t y) const { return pixels.data() + std::size_t(y) * rowBytes(); }
};

} // namespace resizer
