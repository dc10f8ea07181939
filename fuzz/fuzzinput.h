#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// Helpers of the fuzz targets. A target is one file in fuzz/targets/ that defines
//   extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
// and feeds the input to one reader and what reads its result.
namespace fuzz {

// The input as bytes, without copying (valid while the call lasts).
QByteArray bytes(const uint8_t *data, size_t size);

// Choices a target makes besides the reader's input (which rows, which numbers) are read from
// the input's last bytes, so that every real file is a whole input as it is, and a mutation of
// its end explores the choices.
class TailBytes
{
public:
    TailBytes(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    // The i-th byte from the end; 0 past the start of the input.
    unsigned at(size_t i) const;

private:
    const uint8_t *m_data;
    size_t m_size;
};

// A broken promise of the code under test: reported and aborted, so the fuzzer records it.
void check(bool condition, const char *what);

} // namespace fuzz
