#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sim {

// Cuts the byte stream from the program into commands. A frame is
// "~<command>\r\n"; bytes outside a frame are line noise and ignored, a new
// "~" restarts the frame, and a frame longer than kMaxFrame bytes (or one that
// ends in a bare "\n") is dropped whole, as the board's fixed receive buffer does.
class FrameReader {
public:
    static constexpr std::size_t kMaxFrame = 256;

    // Feeds received bytes; returns the commands completed by them, in order.
    std::vector<std::string> feed(const char *data, std::size_t size);
    int discarded() const { return m_discarded; }

private:
    enum class State { Idle, InFrame, Overlong };
    State m_state = State::Idle;
    std::string m_frame; // the bytes since "~"
    int m_discarded = 0;
};

} // namespace sim
