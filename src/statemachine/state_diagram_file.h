// The state diagram file (.qstm): the positions of the label boxes of one
// state transition diagram, written from fixed line templates and read back
// through the tag reader. States, transitions and label texts are never
// stored; they always come from the extraction.
#pragma once

#include <string>
#include <string_view>

#include "statemachine/diagram_layout.h"

namespace corvane {

// The file's bytes: the canvas size, then one line per placed label in key
// order. Keys holding a double quote, "<", ">" or "&" are escaped; any other
// key is written as it stands.
std::string stateDiagramFileText(DiagramSize canvas, const TransitionLabels& labels);

// Applies the "statelabel" elements of file bytes to `labels`: the named
// label gets the saved anchor, and a key the diagram does not have becomes
// a new label without text. False, changing nothing, when the bytes are not
// a readable tag file.
bool readStateDiagramText(std::string_view bytes, TransitionLabels& labels);

// The same on the file at `path`; false, changing nothing, when it cannot be
// read or parsed.
bool readStateDiagramPath(const std::string& path, TransitionLabels& labels);

// Writes the file at `path` through a temporary file; false, leaving any
// previous file as it was, when it cannot be written.
bool writeStateDiagramPath(const std::string& path, DiagramSize canvas,
                           const TransitionLabels& labels);

}  // namespace corvane
