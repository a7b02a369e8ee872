#pragma once

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

// The streams and the check of the link's randomized soak (tst_seriallink).
namespace LinkSoak {

// One line of a soak stream, and whether running it twice moves the machine.
struct StreamLine {
    std::string text;
    bool movesTwice;
};

// A short stream of absolute and relative moves, extruder mode switches,
// G92, heaters, arcs and commands that take no slot, every line different
// from the one before, the head kept inside the travel.
inline std::vector<StreamLine> soakStream(std::mt19937 &rng)
{
    auto uniform = [&rng](double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng); };
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto num = [](double v) { return QString::number(v, 'f', 2).toStdString(); };
    bool relXyz = pick(2), relE = relXyz || pick(2);
    double pos[3] = {uniform(60, 200), uniform(60, 200), uniform(20, 100)};
    std::vector<StreamLine> lines = {{"G90", false}, {"G1 X" + num(pos[0]) + " Y" + num(pos[1]) + " Z" + num(pos[2]) + " F6000", false},
                                     {relXyz ? "G91" : "G90", false}, {relE ? "M83" : "M82", false}, {"G92 E0", false}};
    double e = 0;
    const int count = 6 + pick(8);
    while (int(lines.size()) < count + 5) {
        StreamLine line{"", false};
        switch (pick(10)) {
        case 0:
            relXyz = !relXyz;
            relE = relXyz;
            line = {relXyz ? "G91" : "G90", false};
            break;
        case 1:
            relE = !relE;
            line = {relE ? "M83" : "M82", false};
            break;
        case 2:
            e = uniform(0, 5);
            line = {"G92 E" + num(e), false};
            break;
        case 3:
            line = {pick(2) ? "M104 S" + std::to_string(180 + pick(40)) + " T0" : "M140 S" + std::to_string(50 + pick(20)),
                    false};
            break;
        case 4:
            line = {pick(2) ? "M220 S" + std::to_string(90 + pick(20)) : "T0", false};
            break;
        case 5: { // an arc that ends elsewhere
            const double dx = uniform(2, 8) * (pos[0] > 150 ? -1 : 1);
            pos[0] += dx;
            line = {std::string(pick(2) ? "G2" : "G3") + " X" + num(relXyz ? dx : pos[0]) + " Y" + num(relXyz ? 0 : pos[1])
                        + " I" + num(dx / 2) + " J0 F3000",
                    true};
            break;
        }
        default: { // a move, some of it relative
            std::string text = "G1";
            bool relative = false;
            const int axis = pick(3);
            const double to = axis == 2 ? uniform(10, 120) : uniform(30, 230);
            const double delta = to - pos[axis] + (std::fabs(to - pos[axis]) < 0.5 ? 1 : 0);
            pos[axis] += delta;
            text += std::string(" ") + "XYZ"[axis] + num(relXyz ? delta : pos[axis]);
            relative = relXyz;
            if (pick(3)) {
                const double de = uniform(0.1, 2);
                e += de;
                text += " E" + num(relE ? de : e);
                relative = relative || relE;
            }
            line = {text + " F" + std::to_string(3000 + 60 * pick(50)), relative};
            break;
        }
        }
        if (line.text != lines.back().text)
            lines.push_back(line);
    }
    return lines;
}

// Whether the board ran `stream` exactly: every line, in order, a line
// twice only where that moves nothing. Queries are the link's own.
inline QString checkRun(const std::vector<StreamLine> &stream, std::vector<std::string> ran)
{
    ran.erase(std::remove_if(ran.begin(), ran.end(),
                             [](const std::string &c) { return c == "M105" || c == "M114" || c == "M119" || c == "M121"; }),
              ran.end());
    size_t j = 0;
    for (const StreamLine &line : stream) {
        if (j >= ran.size() || ran[j] != line.text)
            return QString("lost: %1").arg(line.text.c_str());
        ++j;
        while (j < ran.size() && ran[j] == line.text) {
            if (line.movesTwice)
                return QString("ran twice: %1").arg(line.text.c_str());
            ++j;
        }
    }
    return j == ran.size() ? QString() : QString("ran more: %1").arg(ran[j].c_str());
}

inline int envNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariable(name).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace LinkSoak

