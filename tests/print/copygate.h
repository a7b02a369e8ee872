#pragma once

#include "verifiedcopy.h"

#include <QThread>

#include <atomic>
#include <memory>

// Holds the copying thread before it writes block `holdAt` (from 1) until
// released, so that a test can act while a copy is under way.
class CopyGate {
public:
    void install(int holdAt = 1)
    {
        m_entered = false;
        m_open = false;
        auto blocks = std::make_shared<std::atomic<int>>(0);
        VerifiedCopy::setBlockFilterForTesting([this, blocks, holdAt](char *, qint64) {
            if (++*blocks < holdAt)
                return;
            m_entered = true;
            while (!m_open)
                QThread::yieldCurrentThread();
        });
    }
    bool entered() const { return m_entered; }
    void release() { m_open = true; }

private:
    std::atomic<bool> m_entered{false};
    std::atomic<bool> m_open{true};
};
