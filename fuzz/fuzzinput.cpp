#include "fuzzinput.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

unsigned TailBytes::at(size_t i) const
{
    return i < m_size ? m_data[m_size - 1 - i] : 0;
}

void check(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace fuzz
