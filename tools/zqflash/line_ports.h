// The ports of a line run, from the command line, a ports file and a device pattern.
#pragma once

#include "tools/zqflash/zqflash_options.h"

#include <string>
#include <vector>

// Every --port, then every device of the ports file (one a line; blanks and text after '#'
// ignored, surrounding spaces trimmed), then the pattern's matches in name order; a port that
// comes again, under its name or another name of the same device (a link, "/dev/pts/./4"), is
// kept once, under its first name. False with error naming the cause: the ports file cannot be read, the
// pattern matches nothing, or no port at all is left.
bool CollectLinePorts(const ZQFLASH_OPTIONS& options, std::vector<std::string>& ports, std::string& error);
