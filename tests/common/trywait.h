// Forced into every test (cmake/PrinterTest.cmake). QtTest's plain QTRY waits
// give up after 5 s, which a loaded machine exceeds on work done by the
// link's thread, a worker, the simulator or an external tool: here they wait
// up to kTryWaitMs, which costs nothing when the wait is met. A wait that is
// not met fails at its limit, without QtTest's further wait of twice the limit
// that only measures how much longer it would have needed.
#pragma once

#include <QtTest/qtestcase.h>

constexpr int kTryWaitMs = 60000;

#undef QTRY_VERIFY
#define QTRY_VERIFY(expr) QTRY_VERIFY_WITH_TIMEOUT((expr), kTryWaitMs)
#undef QTRY_VERIFY2
#define QTRY_VERIFY2(expr, messageExpression) QTRY_VERIFY2_WITH_TIMEOUT((expr), (messageExpression), kTryWaitMs)
#undef QTRY_COMPARE
#define QTRY_COMPARE(expr, expected) QTRY_COMPARE_WITH_TIMEOUT((expr), expected, kTryWaitMs)
#undef QTRY_TIMEOUT_DEBUG_IMPL
#define QTRY_TIMEOUT_DEBUG_IMPL(expr, timeoutValue, step)
