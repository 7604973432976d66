#include "OutputSink.h"

#include "base/ErrorTexts.h"
#include "base/Exceptions.h"

#include <charconv>
#include <cstring>

namespace kelmora::formats {

OutputSink::OutputSink(WriteFunction write) : m_write(std::move(write)) {}

OutputSink::OutputSink(QByteArray &target)
    : m_write([&target](const char *data, qsizetype size) {
          target.append(data, size);
          return true;
      })
{
}

void OutputSink::put(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return; // an empty view may have no data pointer, which memcpy must not see
    if (bytes.size() > Capacity - m_used) {
        drain();
        if (bytes.size() > Capacity) {
            if (!m_write(bytes.data(), bytes.size()))
                throw EWriteError(errortext::FailedToSaveStream);
            return;
        }
    }
    std::memcpy(m_buffer + m_used, bytes.data(), size_t(bytes.size()));
    m_used += bytes.size();
}

void OutputSink::putNumber(int value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    put(QByteArrayView(digits, result.ptr - digits));
}

void OutputSink::drain()
{
    if (m_used == 0)
        return;
    const qsizetype n = m_used;
    m_used = 0;
    if (!m_write(m_buffer, n))
        throw EWriteError(errortext::FailedToSaveStream);
}

} // namespace kelmora::formats
