#pragma once
// A text composed in a fixed buffer, so messages during a calculation need no allocation.
#include <array>
#include <cstdio>
#include <string_view>

namespace tandemx::engine {

class FixedText {
public:
    static constexpr size_t Capacity = 255;

    FixedText& operator<<(std::string_view text)
    {
        for (char ch : text)
            if (length_ < Capacity)
                buffer_[length_++] = ch;
        return *this;
    }
    FixedText& operator<<(int number)
    {
        char digits[16];
        const int n = std::snprintf(digits, sizeof digits, "%d", number);
        return *this << std::string_view(digits, size_t(n));
    }
    // The number right-aligned in width characters.
    FixedText& padded(int number, int width)
    {
        char digits[16];
        const int n = std::snprintf(digits, sizeof digits, "%*d", width, number);
        return *this << std::string_view(digits, size_t(n));
    }
    void clear() { length_ = 0; }
    std::string_view view() const { return {buffer_.data(), length_}; }

private:
    std::array<char, Capacity> buffer_{};
    size_t length_ = 0;
};

} // namespace tandemx::engine
