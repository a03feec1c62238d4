// Pause and Delay; see waits.h.
#include "waits.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <thread>

namespace quorvin {

namespace {

using TClock = std::chrono::steady_clock;

double Scale = 1.0;

TClock::time_point Deadline(int milliseconds) {
    const double scaled = std::max(0, milliseconds) * Scale;
    return TClock::now() + std::chrono::microseconds(static_cast<long long>(scaled * 1000.0));
}

} // namespace

void Pause(int milliseconds) {
    // Sleeping until the deadline keeps the processor free; nothing else runs meanwhile.
    std::this_thread::sleep_until(Deadline(milliseconds));
}

void Delay(int milliseconds) {
    const TClock::time_point deadline = Deadline(milliseconds);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        const TClock::time_point now = TClock::now();
        if (now >= deadline) return;
        // Short naps between the polls: events are served within a few milliseconds and the
        // processor stays idle.
        std::this_thread::sleep_until(std::min(deadline, now + std::chrono::milliseconds(4)));
    }
}

void SetWaitScale(double scale) {
    Scale = std::max(0.0, scale);
}

double WaitScale() {
    return Scale;
}

} // namespace quorvin
