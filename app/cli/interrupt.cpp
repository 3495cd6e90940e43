#include "app/cli/interrupt.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void NoteInterrupt(int) { gInterrupted = 1; }

}  // namespace

void InstallInterruptHandlers() {
    struct sigaction action {};
    action.sa_handler = NoteInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool InterruptRequested() { return gInterrupted != 0; }

void RequestInterrupt() { std::raise(SIGINT); }
