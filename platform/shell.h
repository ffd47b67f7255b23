#pragma once

#include <QString>

#include <functional>

namespace platform {

// One hand-over to the desktop shell, with the arguments the caller gave.
struct ShellCall {
    QString operation; // empty: the shell's default action for the target
    QString file;
    QString parameters;
    QString directory;
    int showCommand = 1;
};

// Hands an address to the desktop shell (the user's browser or mail program) and returns at
// once. Whether anything opens is not reported: a failure changes nothing in the program.
void shellExecute(const ShellCall& call);

// Lets tests see what is handed to the shell instead of starting a browser.
void setShellHook(std::function<void(const ShellCall&)> hook);

} // namespace platform
