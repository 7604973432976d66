#pragma once
// Buffered output whose every write to its destination is checked. The
// writers put bytes here; when the buffer is full or flush() is called, the
// bytes go to the write function, and a failed write throws
// EWriteError("Failed to Save Stream").

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

namespace kelmora::formats {

class OutputSink {
public:
    // Writes size bytes; returns false when they could not all be written.
    using WriteFunction = std::function<bool(const char *data, qsizetype size)>;

    explicit OutputSink(WriteFunction write);
    // Collects everything into target.
    explicit OutputSink(QByteArray &target);

    void put(char c)
    {
        if (m_used == Capacity)
            drain();
        m_buffer[m_used++] = c;
    }
    void put(QByteArrayView bytes);
    void putNumber(int value);
    void flush() { drain(); }

    // Room for up to count bytes (count <= MaxClaim) written in place: fill
    // from the returned pointer, then commit() the end of what was written.
    static constexpr qsizetype MaxClaim = 1 << 14;
    char *claim(qsizetype count)
    {
        if (count > Capacity - m_used)
            drain();
        return m_buffer + m_used;
    }
    void commit(const char *end) { m_used = end - m_buffer; }

private:
    static constexpr qsizetype Capacity = 1 << 16;
    void drain();

    WriteFunction m_write;
    char m_buffer[Capacity];
    qsizetype m_used = 0;
};

} // namespace kelmora::formats
