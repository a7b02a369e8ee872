#pragma once

#include <json/json.h>

#include <functional>
#include <string>

// The update-server client: HTTPS only, with the server's certificate checked
// (against the system's authorities, or against one certificate file when the
// product ships its own). The requests and replies are described in
// docs/update-server.md.
namespace tmupserver {

enum PackageType {
    PACKAGE_TYPE_KERNEL = 0,
    PACKAGE_TYPE_CONTROL = 1,
    PACKAGE_TYPE_LIBRARY = 2,
    PACKAGE_TYPE_SOFTWARE = 3,
};
constexpr int PackageTypeCount = 4;

// "kernel", "control", "library", "software": the kind's name in the
// server's JSON and its folder under /opt/PROGRAM.
const char *packageTypeName(PackageType type);
bool packageTypeFromName(const std::string &name, PackageType &type);

// One package the server offers.
struct PackageInfo {
    PackageType type = PACKAGE_TYPE_SOFTWARE;
    std::string version; // "a.b.c"
    std::string url;     // https://...
    std::string md5;     // of the .tar.gz, 32 lower-case hex digits
    long long size = 0;  // bytes of the .tar.gz, 0 when the server did not say
};

enum class Outcome {
    Ok,
    Unreachable, // no connection, TLS failure or a dropped transfer
    Refused,     // the server answered, but not with what was asked for
    Aborted,     // the progress callback asked to stop
    LocalError,  // the download file could not be written
    TooLarge,    // the file grew past the size it may have
};

class UpServerClient {
public:
    // `serverUrl` is the base "https://host[:port]"; `caFile` a PEM file of
    // the authority to trust, or empty for the system's.
    UpServerClient(std::string serverUrl, std::string caFile);

    // Called with the bytes of the file so far and its expected total (0 when
    // unknown); returning false aborts the transfer.
    using Progress = std::function<bool(long long done, long long total)>;

    // Asked about once a second during every request; false aborts it (the
    // owner is shutting down).
    void setKeepGoing(std::function<bool()> keepGoing) { m_keepGoing = std::move(keepGoing); }

    // PUT <server>/update with `request`; on Ok `reply` holds the JSON object.
    Outcome checkUpdate(const Json::Value &request, Json::Value &reply, std::string &error);

    // Downloads `url` into `path`, continuing a partial file with a Range
    // request from its current size (a server that ignores the range restarts
    // the file from 0). The transfer stops with TooLarge as soon as the file
    // would grow past `maxBytes`, whatever the server announced.
    Outcome download(const std::string &url, const std::string &path, long long maxBytes,
                     const Progress &progress, std::string &error);

    // PUT <server>/download/feedback with `report`.
    Outcome sendFeedback(const Json::Value &report, std::string &error);

private:
    Outcome putJson(const std::string &path, const Json::Value &body, Json::Value *reply, std::string &error);

    std::string m_serverUrl;
    std::string m_caFile;
    std::function<bool()> m_keepGoing;
};

} // namespace tmupserver
