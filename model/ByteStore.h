#pragma once
// Where the settings record's bytes live: the file beside the program, or
// memory in a test that makes it refuse, cut short or hold. Each call is one
// open ... close sequence; another program that holds the file without
// sharing it makes it fail with a sharing violation.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/FileError.h"

namespace hv {

class ByteStore {
public:
    virtual ~ByteStore() = default;
    // Up to `size` bytes of an existing file (fewer when it is shorter).
    virtual FileError Read(std::size_t size, std::string& bytes) = 0;
    // Creates the file, or empties an existing one, and writes the pieces.
    virtual FileError Create(const std::vector<std::string_view>& pieces) = 0;
    // Writes into an existing file at `offset`; never shortens it.
    virtual FileError WriteAt(std::size_t offset, std::string_view bytes) = 0;
    // Waits before another try at a file another program holds.
    virtual void Pause(unsigned ms) = 0;
};

}  // namespace hv
