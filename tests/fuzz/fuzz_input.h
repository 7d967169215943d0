// Splits a fuzzer's bytes into the pieces a target needs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace holmfuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The bytes up to the next NUL (or the end) as text.
    std::string Text() {
        std::string text;
        while (pos_ < size_ && data_[pos_] != 0) text += static_cast<char>(data_[pos_++]);
        if (pos_ < size_) ++pos_;
        return text;
    }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    const std::uint8_t* Rest() const { return data_ + pos_; }
    std::size_t RestSize() const { return size_ - pos_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace holmfuzz
