// Reading the text files the module takes from the user (macros and patches, EQ presets, the
// user menu, action lists) in bounded time and memory: only regular files up to a size limit,
// held as their bytes alone, lines made one at a time and cut at a length limit, each refusal
// or cut told in a console line.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

constexpr size_t kMaxTextFileBytes = 8u << 20;
constexpr size_t kMaxTextLineLength = 16384;

// The lines of a text, without their line ends (LF or CR LF), each cut at kMaxTextLineLength.
// A line is made when it is reached, so a file of many short lines costs no more than its bytes.
class TextLines {
public:
    explicit TextLines(const std::string& text) : text_(&text) {}

    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::string;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string;

        Iterator(const std::string* text, size_t start) : text_(text), start_(start) {}
        std::string operator*() const;
        Iterator& operator++();
        bool operator==(const Iterator& other) const { return start_ == other.start_; }
        bool operator!=(const Iterator& other) const { return start_ != other.start_; }

    private:
        const std::string* text_;
        size_t start_;
    };

    Iterator begin() const { return Iterator(text_, 0); }
    Iterator end() const { return Iterator(text_, text_->size()); }

private:
    const std::string* text_;
};

struct TextFileRead {
    bool read = false;              // false when the file could not be opened or was refused
    std::string text;               // the file's bytes
    bool endsWithLineEnd = false;   // the text is empty or its last byte ends a line
    std::vector<std::string> notes; // console lines: why the file was refused, or lines cut

    TextLines lines() const { return TextLines(text); }
};

// Reads the file at path (in the module's path form), refusing it when it holds more than
// maxBytes, with tooLargeNote and the path as its note. A file that cannot be opened gives an
// unread result with no note, so the caller reports it as it always has.
TextFileRead readTextFile(const std::string& path, size_t maxBytes = kMaxTextFileBytes,
                          const std::string& tooLargeNote = "FILE REFUSED, LARGER THAN 8 MB : ");
