#pragma once

// Implemented by the pages that home the axes through the homing helper; the
// helper calls back on the GUI thread once the axes it was asked for are home,
// or once homing has given up.
class ReturnHomeListener {
public:
    virtual ~ReturnHomeListener() = default;
    virtual void checkReturnHomeDone() = 0;
    // The board did not take a homing command, the link found it silent, or
    // an axis did not reach its end-stop within its minute: the machine has
    // been stopped and homing has ended without checkReturnHomeDone().
    virtual void returnHomeFailed() {}
};
