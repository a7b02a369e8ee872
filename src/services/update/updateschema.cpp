#include "updateschema.h"

#include <QRegularExpression>
#include <QString>

namespace UpdateSchema {

namespace {

// True when the whole of `text` matches (a "$" would also accept a final
// newline, which would then name folders and reach libcurl).
bool matches(const char *pattern, const std::string &text)
{
    const QRegularExpression expression(QRegularExpression::anchoredPattern(QString::fromLatin1(pattern)));
    return expression.match(QString::fromStdString(text)).hasMatch();
}

bool isMd5(const std::string &text)
{
    return matches("[0-9a-fA-F]{32}", text);
}

bool isHttpsUrl(const std::string &text)
{
    // Printable ASCII only, no blanks: the URL goes to libcurl as it stands.
    return matches("https://[\\x21-\\x2e\\x30-\\x7e]+(/[\\x21-\\x7e]*)?", text);
}

} // namespace

bool isVersion(const std::string &text)
{
    return matches("[0-9]{1,6}\\.[0-9]{1,6}\\.[0-9]{1,6}", text);
}

Json::Value checkRequest(const current_version &current)
{
    Json::Value request(Json::objectValue);
    request["serialNumber"] = current.serialNumber;
    Json::Value &versions = request["versions"];
    versions[tmupserver::packageTypeName(tmupserver::PACKAGE_TYPE_KERNEL)] = current.kernel;
    versions[tmupserver::packageTypeName(tmupserver::PACKAGE_TYPE_CONTROL)] = current.control;
    versions[tmupserver::packageTypeName(tmupserver::PACKAGE_TYPE_LIBRARY)] = current.library;
    versions[tmupserver::packageTypeName(tmupserver::PACKAGE_TYPE_SOFTWARE)] = current.software;
    return request;
}

bool parseCheckReply(const Json::Value &reply, std::vector<tmupserver::PackageInfo> &packages, std::string &error)
{
    packages.clear();
    const Json::Value &list = reply["packages"];
    if (!list.isArray()) {
        error = "\"packages\" is not a list";
        return false;
    }
    bool seen[tmupserver::PackageTypeCount] = {false, false, false, false};
    for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
        const Json::Value &entry = list[i];
        const std::string where = "package " + std::to_string(i) + ": ";
        if (!entry.isObject()) {
            error = where + "not an object";
            return false;
        }
        tmupserver::PackageInfo package;
        const Json::Value &type = entry["type"], &version = entry["version"], &url = entry["url"],
                          &md5 = entry["md5"], &size = entry["size"];
        if (!type.isString() || !tmupserver::packageTypeFromName(type.asString(), package.type)) {
            error = where + "unknown type";
            return false;
        }
        if (seen[package.type]) {
            error = where + "type listed twice";
            return false;
        }
        seen[package.type] = true;
        if (!version.isString() || !isVersion(version.asString())) {
            error = where + "version is not a.b.c";
            return false;
        }
        if (!url.isString() || !isHttpsUrl(url.asString())) {
            error = where + "url is not https";
            return false;
        }
        if (!md5.isString() || !isMd5(md5.asString())) {
            error = where + "md5 is not 32 hex digits";
            return false;
        }
        // isInt64(), not isIntegral(): asLargestInt() throws for whole
        // numbers beyond 64 bits.
        if (!size.isNull() && (!size.isInt64() || size.asLargestInt() < 0)) {
            error = where + "size is not a byte count";
            return false;
        }
        package.version = version.asString();
        package.url = url.asString();
        package.md5 = QString::fromStdString(md5.asString()).toLower().toStdString();
        package.size = size.isNull() ? 0 : size.asLargestInt();
        packages.push_back(package);
    }
    return true;
}

Json::Value feedbackReport(const std::string &serialNumber, const tmupserver::PackageInfo &package, Stage stage,
                           bool success, const std::string &message)
{
    Json::Value report(Json::objectValue);
    report["serialNumber"] = serialNumber;
    report["type"] = tmupserver::packageTypeName(package.type);
    report["version"] = package.version;
    report["stage"] = stage == Stage::Download ? "download" : "install";
    report["result"] = success ? "success" : "failure";
    report["message"] = message;
    return report;
}

} // namespace UpdateSchema
