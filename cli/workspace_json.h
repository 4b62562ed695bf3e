#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "platform/status.h"
#include "workspace/message_model.h"

namespace cli {

// The workspace as JSON, in the schema other tools read:
//   {"version", "width", "colorMode", "transferFile",
//    "lines": [{"file", "elements": [{"kind","code","colour","font"}],
//               "controls": [{"position","type","value"}]}],
//    "scheduler": {"alarmCount","alarmInterval","hourlyAlarm","powerOn":[h,m,s],"powerOff":[h,m,s],
//                  "timeFormat","tasks": [ten of
//                  {"days":[7],"start":[h,m],"end":[h,m],"files":[]}]}}
// Strings are UTF-8 here and Windows-1252 in the workspace. `version` is the version the file was
// read as (major * 10 + minor; 0 for a headerless file).
nlohmann::json workspaceToJson(const workspace::Workspace& ws, int version);

// Builds a workspace from JSON in the same schema. "version" is ignored; missing fields take the
// values of a new workspace. Every value is checked against what the workspace file can hold and
// the model allows (kinds, colours, fonts, file numbers 1-99, at most 100 elements a line, control
// positions within the line, at most ten tasks); the first violation is refused (kRefused) with
// the JSON path of the offending value in the message, and *ws is then unspecified.
platform::Status workspaceFromJson(const nlohmann::json& json, workspace::Workspace* ws);

// workspaceFromJson() on JSON text, parsed line by line: the memory it takes is that of the
// workspace, whatever the text holds. Text that is not JSON is refused as "not valid JSON"; so
// are more lines than a workspace file stores, and a line or a rest holding far more values
// than a workspace can use.
platform::Status workspaceFromJsonText(std::string_view text, workspace::Workspace* ws);

}  // namespace cli
