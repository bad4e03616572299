// Where zqflash finds the programmer's libraries: beside itself, or in bin/ one level down.
#pragma once

#include "comkit/module_path.h"
#include "flasher/message_sink.h"

#include <string>

// Loads library (CIspLibrary or CCipherLibrary) from the program's folder, else from its bin/
// folder; only the second failure is shown on messages. True when loaded.
template <typename Library>
bool LoadFromProgramFolders(Library& library, IMessageSink& messages)
{
    const std::string directory = COMMON_EX::GetProgramDirectory();
    library.SetDirectory(directory);
    if (library.Load(nullptr))
        return true;
    library.Release();
    library.SetDirectory(directory + "bin/");
    return library.Load(&messages) != FALSE;
}
