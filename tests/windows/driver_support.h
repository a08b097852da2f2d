// What the Windows test drivers and the benchmark probe share: UTF-8 output, and the windows of
// other processes: their texts, finding them by text, clicking their buttons, typing into them.
#pragma once

#include <string>
#include <vector>

#include "win32/windows_api.h"

namespace orlimo::drivers {

void Print(const std::string& line);  // one UTF-8 line to standard output
std::string Utf8(const std::wstring& text);

std::vector<HWND> TopLevelWindowsOf(const std::vector<DWORD>& processes);
std::vector<HWND> ChildrenOf(HWND parent);

// How long a question to another process's window may wait: briefly (2 s, and not at all for a
// thread that counts as hung), or patiently (30 s even then: right after a long handler a thread
// counts as hung until it asks for its next message, and the answer would be lost).
enum class Wait { Briefly, Patiently };

std::wstring TextOf(HWND hwnd, Wait wait = Wait::Briefly);  // asked of the window itself
std::wstring ClassOf(HWND hwnd);
bool HasClass(HWND hwnd, const wchar_t* className);  // case aside

// The visible top-level windows of the processes whose titles start with <title>; the first
// visible control of class <className> (Button, Edit ...) in them showing <text>, or null.
std::vector<HWND> VisibleWindowsTitled(const std::vector<DWORD>& processes,
                                       const std::wstring& title, Wait wait = Wait::Briefly);
HWND VisibleControl(const std::vector<DWORD>& processes, const wchar_t* className,
                    const std::wstring& text, Wait wait = Wait::Briefly);
HWND FirstEdit(HWND window);  // the first visible edit field, or null

void PostClick(HWND button);                         // as a press would (returns at once)
void PostType(HWND edit, const std::wstring& text);  // "\r" is the Enter key

}  // namespace orlimo::drivers
