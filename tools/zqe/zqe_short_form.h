// The short JSON form of a project (`zqe export --short`): the panel model and PLC by catalogue
// name, and each control as its kind and only the attributes that differ from a new control.
#pragma once

#include "comkit/types.h"

#include <string>
#include <vector>

// The short form of a project file's bytes (UTF-8, indented, ending in a newline): controls in
// draw order, serial, screen and panel settings only where they differ from a new project's.
// Importing it gives the same screens, controls and values; unnamed (hidden) attributes, control
// IDs of a form that numbered them differently, and catalogue data stored in the file are not
// carried. False with the reason when the bytes are no project the editor opens, or hold a
// control of a kind the editor cannot place (kinds 5-8), which no short entry can make.
bool ShortProjectForm(const std::vector<BYTE>& file, std::string& json, std::string& error);
