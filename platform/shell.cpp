#include "shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

namespace {
std::function<void(const ShellCall&)>& shellHook() {
    static std::function<void(const ShellCall&)> hook;
    return hook;
}
} // namespace

void shellExecute(const ShellCall& call) {
    if (shellHook()) {
        shellHook()(call);
        return;
    }
    // The desktop's opener (xdg-open) runs detached; its result is of no use to the caller.
    QDesktopServices::openUrl(QUrl(call.file, QUrl::TolerantMode));
}

void setShellHook(std::function<void(const ShellCall&)> hook) {
    shellHook() = std::move(hook);
}

} // namespace platform
