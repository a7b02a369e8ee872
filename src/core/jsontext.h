#pragma once

#include <json/json.h>

#include <string>

// The one way this program reads JSON text (the settings file, the update
// server's replies). JsonCpp throws on some inputs (nesting beyond its stack
// limit, among others) instead of returning an error; here every failure,
// thrown or returned, becomes false with a reason, and nesting is held far
// below what could exhaust a thread's stack.
namespace JsonText {

// Deeper than anything the program writes or expects; deeper documents are
// refused.
constexpr int MaxDepth = 32;

// Parses [begin, end) into `out`. False with `error` set when the text is
// not one well-formed JSON value within MaxDepth.
bool parse(const char *begin, const char *end, Json::Value &out, std::string &error);

inline bool parse(const std::string &text, Json::Value &out, std::string &error)
{
    return parse(text.data(), text.data() + text.size(), out, error);
}

} // namespace JsonText
