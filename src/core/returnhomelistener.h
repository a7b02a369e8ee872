#pragma once

// Implemented by the pages that home the axes through the homing helper; the
// helper calls back on the GUI thread once the axes it was asked for are home.
class ReturnHomeListener {
public:
    virtual ~ReturnHomeListener() = default;
    virtual void checkReturnHomeDone() = 0;
};
