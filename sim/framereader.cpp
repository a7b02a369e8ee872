#include "framereader.h"

namespace sim {

std::vector<std::string> FrameReader::feed(const char *data, std::size_t size)
{
    std::vector<std::string> commands;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '~') {
            if (m_state == State::InFrame)
                ++m_discarded; // a frame cut short by the next one
            m_state = State::InFrame;
            m_frame.assign(1, c);
            continue;
        }
        if (m_state == State::Idle)
            continue;
        if (m_state == State::Overlong) {
            if (c == '\n')
                m_state = State::Idle;
            continue;
        }
        m_frame.push_back(c);
        if (c == '\n') {
            m_state = State::Idle;
            const std::size_t n = m_frame.size();
            if (n >= 3 && m_frame[n - 2] == '\r')
                commands.push_back(m_frame.substr(1, n - 3));
            else
                ++m_discarded;
        } else if (m_frame.size() >= kMaxFrame) {
            m_state = State::Overlong;
            ++m_discarded;
        }
    }
    return commands;
}

} // namespace sim
