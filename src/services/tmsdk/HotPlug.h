#pragma once

#include <string>

namespace tmsdk {

// A block-device hot-plug event, e.g. "add@/devices/.../block/sdb/sdb1".
struct BlockEvent {
    enum Action { Add, Remove };
    Action action = Add;
    std::string disk;      // "sdb"
    std::string partition; // "sdb1"; empty when the event is about the whole disk

    const std::string &device() const { return partition.empty() ? disk : partition; }
};

// Receives the kernel's object events (netlink NETLINK_KOBJECT_UEVENT). In a
// sandbox root the kernel is played by a tool that sends the same event text
// to the unix datagram socket <root>/run/uevent.sock.
class HotPlug {
public:
    HotPlug();
    ~HotPlug();
    HotPlug(const HotPlug &) = delete;
    HotPlug &operator=(const HotPlug &) = delete;

    // Opens the event socket; 0 on success, else the negated errno.
    int open();

    // Blocks until an event arrives and gives its first line ("action@devpath").
    // Returns false once stop() has been called, or when no socket is open.
    bool waitEvent(std::string &header);

    // Wakes and ends waitEvent; safe from any thread.
    void stop();

    // Recognises an add or remove event of a block device. The names are
    // returned as the kernel wrote them: check them with isSafeDeviceName.
    static bool parseBlockEvent(const std::string &header, BlockEvent &event);

    // True for plain kernel names such as "sdb" or "sdb1": they are handed to
    // mount, so anything else (separators, "..", blanks) is refused.
    static bool isSafeDeviceName(const std::string &name);

private:
    int openKernelSocket();
    int openSandboxSocket();

    int m_socket = -1;
    int m_stopFd = -1;
    bool m_fromKernel = true;
    std::string m_socketPath; // sandbox socket file, removed on close
};

} // namespace tmsdk
