#include "jsontext.h"

#include <exception>
#include <memory>

namespace JsonText {

bool parse(const char *begin, const char *end, Json::Value &out, std::string &error)
{
    Json::CharReaderBuilder builder;
    builder["stackLimit"] = MaxDepth;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value parsed;
    error.clear();
    try {
        if (!reader->parse(begin, end, &parsed, &error))
            return false;
    } catch (const std::exception &e) {
        error = e.what();
        return false;
    }
    out.swap(parsed);
    return true;
}

} // namespace JsonText
