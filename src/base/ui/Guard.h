#pragma once
// The one place where the program's errors are caught. Every handler, key
// filter and timer tick runs through guarded(): an error abandons the command
// (what it changed before stays changed) and is shown in the standard error
// box; the program then goes on. Exceptions never cross Qt's event machinery.

#include "ErrorBox.h"
#include "base/Exceptions.h"

#include <QString>

#include <exception>
#include <utility>

namespace kelmora {

// Runs f; returns false when it ended with an error (already shown).
template <class F>
bool guarded(F &&f) noexcept
{
    try {
        std::forward<F>(f)();
        return true;
    } catch (const Exception &e) {
        showErrorBox(QString::fromStdString(e.message()));
    } catch (const std::bad_alloc &) {
        showErrorBox(QStringLiteral("Out of memory"));
    } catch (const std::exception &e) {
        showErrorBox(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("Unknown error"));
    }
    return false;
}

// Wraps f for connecting to a signal: the slot body runs guarded.
template <class F>
auto guard(F f)
{
    return [f = std::move(f)](auto &&...) mutable { guarded(f); };
}

} // namespace kelmora
