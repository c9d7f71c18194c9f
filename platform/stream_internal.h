// The byte stream behind platform.h's Stream handle. A read stream holds the
// whole file (or the memory block) in memory, so every read is a bounds-checked
// copy; a write stream writes to a temporary file beside its target that Close
// syncs and renames over the target.
#pragma once
#include "platform/platform.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class Stream {
  public:
    enum class Mode { Read, Write };

    static StreamPtr forReading(std::vector<uint8_t> bytes);
    // Opens the temporary file; none when the folder cannot be written.
    static StreamPtr forWriting(const std::string& target);

    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    ~Stream(); // an unclosed write stream discards its temporary file

    Mode mode() const { return mode_; }
    size_t pos() const { return mode_ == Mode::Read ? pos_ : written_; }
    size_t size() const { return mode_ == Mode::Read ? data_.size() : written_; }
    bool atEnd() const { return mode_ == Mode::Write || pos_ >= data_.size(); }
    size_t remaining() const { return mode_ == Mode::Read ? data_.size() - pos_ : 0; }

    // Copies up to n bytes; returns how many were copied.
    size_t readSome(void* buffer, size_t n);
    // Copies exactly n bytes or throws StreamError (position unchanged then).
    void readExact(void* buffer, size_t n);
    // Next byte without consuming it; -1 at the end.
    int peek() const { return pos_ < data_.size() ? data_[pos_] : -1; }
    void skip(size_t n) { pos_ = n > data_.size() - pos_ ? data_.size() : pos_ + n; }

    void write(const void* bytes, size_t n);
    // Flushes, syncs and renames the temporary file over the target; false when
    // any step (or an earlier write) failed, in which case the target is untouched.
    bool commit();

  private:
    Stream() = default;
    void discard();

    Mode mode_ = Mode::Read;
    std::vector<uint8_t> data_;
    size_t pos_ = 0;

    FILE* file_ = nullptr;
    std::string tempPath_, targetPath_;
    size_t written_ = 0;
    bool failed_ = false;
};

// Drops the cached folder listings used by ResolvePath (after a folder is made
// or a file is written).
void InvalidatePathCache();
