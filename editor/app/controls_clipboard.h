// Copied controls on the system clipboard, under the editor's private format: the screen's
// clipboard record (two words identifying the copy, then the controls' code).
#pragma once

#include "comkit/types.h"

#include <QByteArray>

class CControlsClipboard {
public:
    // The private format's name.
    static const char* const MIME_FORMAT;

    // Puts the record on the clipboard (replacing what it held); false without a clipboard or
    // for a record shorter than the 12-byte header.
    static bool Put(const QByteArray& record);
    // The record on the clipboard; empty when it holds none in the private format.
    static QByteArray Get();
    static bool HasData();
};

// How often the same copy has been pasted: the count restarts at 0 whenever the two identifying
// words (the record's first 8 bytes) differ from those of the previous paste.
class CPasteCounter {
public:
    // The count to paste `record` with; call Advance after the paste.
    DWORD& CountFor(const QByteArray& record);
    void Advance() { ++m_count; }

private:
    QByteArray m_identity;
    DWORD m_count = 0;
};
