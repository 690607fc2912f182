#pragma once
// Archives kept in the application's profile: the archive's bytes as one binary entry of a section
// and their count as an integer entry beside it, which tells that a state was saved.

#include "platform/win/windows.h"

#include <functional>

class CArchive;
class CWinApp;

// Writes what store puts into an archive to the entries binaryEntry and sizeEntry of the section.
// FALSE when either entry could not be written.
BOOL SaveArchiveToProfile(CWinApp& app, LPCSTR lpszSection, LPCSTR lpszBinaryEntry, LPCSTR lpszSizeEntry,
                          const std::function<void(CArchive&)>& store);

// Hands an archive over the bytes saved by SaveArchiveToProfile to load. FALSE, without calling
// load, when the section holds no saved state.
BOOL LoadArchiveFromProfile(CWinApp& app, LPCSTR lpszSection, LPCSTR lpszBinaryEntry, LPCSTR lpszSizeEntry,
                            const std::function<void(CArchive&)>& load);
