// Plugs the dialogs and bars into the editor's main frame: the attribute pane, the zoom, screen
// and background colour bars, the device selection of New and of the "设置" button, and the panel
// settings dialog.
#pragma once

class CMainFrame;

// Installs the process-wide dialog hooks (device selection, panel settings) and gives frame its
// bars, connected both ways. Call once per frame, before a project is opened.
void InstallEditorDialogs(CMainFrame* frame);
