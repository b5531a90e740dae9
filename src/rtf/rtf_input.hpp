#pragma once
// The byte stream the rich-text reader reads from: a document held in memory, read one byte at
// a time without any system call, with a read position that can be queried and set.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::rtf {

class RtfInput {
public:
    RtfInput() = default;
    // The stream reads data; the caller keeps the bytes alive while the stream is in use.
    explicit RtfInput(std::string_view data) : data_(data) {}
    explicit RtfInput(const char* text) : data_(text) {}
    // A temporary string would be gone before the stream is read.
    explicit RtfInput(std::string&&) = delete;

    bool eof() const { return pos_ >= data_.size(); }
    std::size_t length() const { return data_.size(); }
    std::size_t position() const { return pos_; }
    // Positions past the end are taken as the end.
    void setPosition(std::size_t pos) { pos_ = std::min(pos, data_.size()); }

    // The next byte (0 to 255), or -1 at the end.
    int get() { return pos_ < data_.size() ? static_cast<unsigned char>(data_[pos_++]) : -1; }
    // The next byte without reading it, or -1 at the end.
    int peek() const { return pos_ < data_.size() ? static_cast<unsigned char>(data_[pos_]) : -1; }
    // Moves the read position one byte back (never before the start).
    void back() {
        if (pos_ > 0) {
            --pos_;
        }
    }
    // Skips up to n bytes; stops at the end.
    void skip(std::size_t n) { pos_ += std::min(n, data_.size() - pos_); }
    // Reads up to n bytes (fewer at the end).
    std::string read(std::size_t n) {
        std::size_t take = std::min(n, data_.size() - pos_);
        std::string out(data_.substr(pos_, take));
        pos_ += take;
        return out;
    }

    std::string_view data() const { return data_; }
    // The bytes not read yet.
    std::string_view rest() const { return data_.substr(pos_); }

private:
    std::string_view data_;
    std::size_t pos_ = 0;
};

} // namespace quorvel::rtf
