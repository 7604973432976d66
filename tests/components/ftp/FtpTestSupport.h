#pragma once
// Small helpers shared by the FTP client's tests.

#include "ftp/IdException.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <condition_variable>
#include <cxxabi.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <typeinfo>
#include <vector>

namespace ftptest {

// "ok", or the error's class and its text, e.g.
// "kelmora::EIdProtocolReplyError 550: No such file." - one string a table row can name.
inline QString Outcome(const std::function<void()> &action)
{
    try {
        action();
        return QStringLiteral("ok");
    } catch (const kelmora::Exception &e) {
        int status = 0;
        const std::unique_ptr<char, void (*)(void *)> name(
            abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status), std::free);
        QString text = QString::fromUtf8(name ? name.get() : typeid(e).name());
        if (const auto *reply = dynamic_cast<const kelmora::EIdProtocolReplyError *>(&e))
            text += QLatin1Char(' ') + QString::number(reply->ErrorCode());
        return text + QStringLiteral(": ") + QString::fromStdString(e.message());
    }
}

inline QStringList ToList(const std::vector<std::string> &lines)
{
    QStringList list;
    for (const std::string &line : lines)
        list << QString::fromStdString(line);
    return list;
}

inline std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A host-name lookup that answers 127.0.0.1 only once its gate opens (or after
// 10 s), as a resolver does whose name server never replies. The gate is
// shared with the lookup's thread, which may outlive the call that started it.
struct LookupGate {
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
    void Open()
    {
        const std::lock_guard lock(mutex);
        open = true;
        opened.notify_all();
    }
};

inline std::function<std::uint32_t(const std::string &)> StuckLookup(std::shared_ptr<LookupGate> gate)
{
    return [gate](const std::string &) -> std::uint32_t {
        std::unique_lock lock(gate->mutex);
        gate->opened.wait_for(lock, std::chrono::seconds(10), [&gate] { return gate->open; });
        return 0x7F000001;
    };
}

// Bytes no text conversion would leave alone: every byte value, CR LF, lone CR and LF.
inline std::string AwkwardBytes(std::size_t size)
{
    std::string bytes;
    std::uint32_t state = 12345;
    while (bytes.size() < size) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(state >> 24);
        if (bytes.size() % 97 == 0)
            bytes += "\r\n\n\r";
    }
    bytes.resize(size);
    return bytes;
}

} // namespace ftptest
