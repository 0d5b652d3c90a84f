// The design database as JSON, for scripts: modules with their pins,
// parameters, wires, registers, assignments, instances (connections and
// parameter overrides), nets with their terminals, and always blocks or
// processes with their state machines. The schema is documented in
// docs/design-database.md and docs/design-database.schema.json.
#pragma once

#include <string>

#include "database/module_list.h"

namespace corvane {

// The "format" value and the version of the document's shape.
inline constexpr const char* kDesignDatabaseFormat = "corvane-design-database";
inline constexpr int kDesignDatabaseVersion = 1;

// The JSON text: modules sorted by name, two-space indentation, a final
// line feed. Text that is not well-formed UTF-8 has U+FFFD in its place.
std::string designDatabaseJson(const ModuleList& modules);

// Writes the JSON text to `path` through a temporary file and a rename;
// false with `error` set when the list is empty or the file cannot be written.
bool writeDesignDatabaseJson(const ModuleList& modules, const std::string& path,
                             std::string& error);

}  // namespace corvane
