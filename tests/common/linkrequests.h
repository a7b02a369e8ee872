#pragma once

// Waiting in page tests for what the pages handed to the printer link.
#include "boardrequest.h"
#include "executegetserialobject.h"
#include "serialobject.h"
#include "trywait.h"

#include <QObject>
#include <QTest>

#include <memory>

// The outcome of `request` once it has finished (Pending if it never did).
inline BoardRequest::Outcome waitForOutcome(BoardRequest *request)
{
    auto outcome = std::make_shared<BoardRequest::Outcome>(BoardRequest::Outcome::Pending);
    QObject::connect(request, &BoardRequest::finished, request, [outcome, request] { *outcome = request->outcome(); });
    (void)QTest::qWaitFor([outcome] { return *outcome != BoardRequest::Outcome::Pending; }, kTryWaitMs);
    return *outcome;
}
