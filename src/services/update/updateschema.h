#pragma once

#include "tmupserver.h"
#include "updatetypes.h"

#include <json/json.h>

#include <string>
#include <vector>

// The JSON that this printer and the update server exchange
// (docs/update-server.md). Everything the server sends is checked here
// before any of it names a file or a folder.
namespace UpdateSchema {

// The body of PUT /update.
Json::Value checkRequest(const current_version &current);

// The packages of a reply to PUT /update. A reply with any malformed entry
// (unknown kind, a version that is not a.b.c, a URL that is not https, an MD5
// that is not 32 hex digits, a kind listed twice) is refused as a whole:
// false, with `error` saying why.
bool parseCheckReply(const Json::Value &reply, std::vector<tmupserver::PackageInfo> &packages,
                     std::string &error);

// True for "a.b.c" with three decimal numbers of at most six digits.
bool isVersion(const std::string &text);

// The body of PUT /download/feedback: how one package's download or
// installation ended.
enum class Stage { Download, Install };
Json::Value feedbackReport(const std::string &serialNumber, const tmupserver::PackageInfo &package, Stage stage,
                           bool success, const std::string &message);

} // namespace UpdateSchema
