#pragma once

#include "boardsim.h"
#include "gcode.h"
#include "heater.h"

#include <array>
#include <deque>
#include <optional>
#include <string>

namespace sim {

// The board's machine model without any I/O: the command queue, motion,
// end-stops, probe and heaters, driven by a simulated time that the caller
// passes in (seconds). Not thread-safe; the simulator serialises access.
class BoardModel {
public:
    BoardModel();

    // Commands that must run in order with motion take a queue slot; queries
    // and the emergency stop are answered at once.
    static bool takesSlot(const GCode &command);

    void setCapacity(int slots) { m_capacity = slots < 1 ? 1 : slots; }
    int capacity() const { return m_capacity; }
    int queued() const { return static_cast<int>(m_queue.size()); }
    int freeSlots() const
    {
        const int held = queued() - (m_slotFreedAtStart && m_head.started ? 1 : 0);
        return m_capacity > held ? m_capacity - held : 0;
    }
    bool full() const { return freeSlots() == 0; }

    // Appends a slot-taking command; the caller checks full() first.
    void enqueue(const std::string &text, double now);
    // The reply body (without the free-slot count) of a command that takes
    // no slot, after acting on it (M112, light).
    std::string answer(const GCode &command, double now);
    // Runs the queue up to `now`.
    void advanceTo(double now);
    // When the command at the head of the queue finishes; empty when idle or
    // when it waits for something that never comes on its own.
    std::optional<double> nextEventAt(double now) const;

    // Knobs.
    void setFilament(Filament state) { m_filament = state; }
    void setForcedNozzleTemp(std::optional<double> celsius) { m_forcedNozzle = celsius; }
    void setForcedBedTemp(std::optional<double> celsius) { m_forcedBed = celsius; }
    void setStuckEndstop(char axis, bool stuck);
    void setBedPlane(double z, double risePerMmX, double risePerMmY)
    {
        m_bedPlane = {z, risePerMmX, risePerMmY};
    }
    void setCutPositionReplies(int count) { m_cutPositionReplies = count; }
    void setNonFinitePositionReplies(int count) { m_nonFinitePositionReplies = count; }
    // Some boards free a command's slot as soon as it starts running.
    void setSlotFreedAtStart(bool freed) { m_slotFreedAtStart = freed; }
    void setFirmwareVersion(const std::string &version) { m_firmware = version; }
    void setM112Reply(const std::string &word) { m_m112Word = word; }
    void placeHead(const Position &machine, double now);

    // Observation (position in the logical coordinates that M114 reports).
    Position position(double now) const;
    double nozzleTemp(double now) const;
    double bedTemp(double now) const;
    int nozzleTarget() const { return m_nozzle.target(); }
    int bedTarget() const { return m_bed.target(); }
    bool motorEnabled(char axis) const;
    bool anyMotorEnabled() const;
    bool lightOn() const { return m_light; }
    bool probeDeployed() const { return m_probeDeployed; }
    double stepsPerMm(char axis) const;
    bool absoluteMode() const { return m_absoluteXyz; }
    bool endstopTriggered(char axis, double now) const;

private:
    enum Axis { X, Y, Z, E, AxisCount };
    using Vec = std::array<double, AxisCount>;
    enum class Action { Instant, Move, Dwell, WaitNozzle, WaitBed };

    struct Head {
        bool started = false;
        Action action = Action::Instant;
        double start = 0;
        double duration = 0;
        Vec from{}, to{};
        std::array<bool, AxisCount> homes{}; // axes that G28 zeroes at the end
    };

    static int axisIndex(char axis);
    void startHead(double at);
    void finishHead(double at);
    double headEnd(double now) const;
    void beginMove(const GCode &command);
    void beginHoming(const GCode &command);
    void beginWait(Heater &heater, Action action, const GCode &command, double at);
    void applyInstant(const GCode &command, double at);
    Vec machineAt(double now) const;
    // The bed's height under the machine position (x, y).
    double bedHeightAt(double x, double y) const;
    // Where a descending move of `axis` ends at the latest, the head at (x, y).
    double lowerLimit(int axis, double x, double y) const;
    Vec clampTravel(const Vec &from, Vec to) const;

    int m_capacity = 16;
    std::deque<std::string> m_queue;
    double m_headReadyAt = 0;
    Head m_head;

    Vec m_machine{};  // where the head is once the current command is done
    Vec m_offset{};   // logical = machine - offset (G92, G28)
    bool m_absoluteXyz = true;
    bool m_absoluteE = true;
    double m_feedMmPerMin = 3000;
    std::array<bool, AxisCount> m_motors{};
    std::array<double, AxisCount> m_steps{{80, 80, 400, 93}};
    bool m_light = false;
    bool m_probeDeployed = false;
    struct BedPlane {
        double z = 0;          // at machine X0 Y0
        double risePerMmX = 0;
        double risePerMmY = 0;
    } m_bedPlane;
    std::array<bool, 3> m_stuck{};
    int m_cutPositionReplies = 0;
    int m_nonFinitePositionReplies = 0;
    bool m_slotFreedAtStart = false;

    Heater m_nozzle;
    Heater m_bed;
    std::optional<double> m_forcedNozzle;
    std::optional<double> m_forcedBed;
    Filament m_filament = Filament::Present;
    std::string m_firmware = "1.2.3";
    std::string m_m112Word = "ok";
};

} // namespace sim
