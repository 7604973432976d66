#include "UiSignal.h"

#include "base/Exceptions.h"
#include "base/ui/Guard.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include <sys/eventfd.h>
#include <unistd.h>

namespace kelmora::about {

UiSignal::UiSignal(std::function<void()> onRaised, QObject *parent)
    : QObject(parent), m_onRaised(std::move(onRaised)), m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (m_fd < 0)
        throw Exception(std::string("Cannot create the panel's wake-up: ") + std::strerror(errno));
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { drain(); });
}

UiSignal::~UiSignal()
{
    delete m_notifier;
    ::close(m_fd);
}

void UiSignal::raise() noexcept
{
    const std::uint64_t one = 1;
    // A full counter (never in practice) already means "raised".
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

void UiSignal::drain()
{
    std::uint64_t count = 0;
    if (::read(m_fd, &count, sizeof count) != ssize_t(sizeof count))
        return;
    guarded(m_onRaised);
}

} // namespace kelmora::about
