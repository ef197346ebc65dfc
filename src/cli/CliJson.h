#pragma once

#include <nlohmann/json.hpp>

#include <string>

// The layout of corvel-cli's --json output, which scripts and people both
// read: the top-level keys one a line, each entry of a top-level array on
// a line of its own, everything inside an entry on that line.
namespace CliJson {

using Json = nlohmann::ordered_json;

std::string Document(const Json& root);
// Model text (Windows-1252) as a JSON string, null when it is empty.
Json TextOrNull(const std::string& strText);
Json Text(const std::string& strText);

} // namespace CliJson
