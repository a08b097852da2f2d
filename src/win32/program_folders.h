// Where Orlimo.exe finds its files: its own folder (the executables and the cues) and the family's
// data folder (Setup.ini and Logs.txt) that the installer records in the registry.
#pragma once

#include "base/text.h"

namespace orlimo::win32 {

// The folder of the running executable, without a closing "\"; empty when unknown.
Text OwnFolder();

// The folder named by HKLM\SOFTWARE\Orlimo, value DataFolder (64-bit view), when the value is
// there and names an existing folder; otherwise <ownFolder>: the portable mode of the demo, the
// tests and a copied folder, which keeps its files beside the program.
Text DataFolder(const Text& ownFolder);

// Whether HKLM\SOFTWARE\Orlimo, value Guarded (REG_DWORD, 64-bit view) is 1: the installer set
// up the guard, which then keeps the family's data, and the program only asks it.
bool Guarded();

}  // namespace orlimo::win32
