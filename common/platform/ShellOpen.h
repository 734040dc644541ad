#pragma once
#include <QString>
#include <functional>

namespace platform {

// Hands a web or "mailto:" address to the desktop; the result is ignored.
void ShellOpen(const QString& address);

using ShellOpenHandler = std::function<void(const QString& address)>;
// Tests record the addresses instead; an empty handler restores the desktop.
void SetShellOpenHandler(ShellOpenHandler handler);

}  // namespace platform
