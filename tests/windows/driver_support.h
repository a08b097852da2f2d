// What the Windows test drivers and the benchmark probe share: UTF-8 output, and the windows of
// other processes: reading their texts, finding them by text, clicking their buttons and typing
// into their fields.
#pragma once

#include <string>
#include <vector>

#include "win32/windows_api.h"

namespace orlimo::drivers {

// UTF-8 text to standard output, one line.
void Print(const std::string& line);
std::string Utf8(const std::wstring& text);

// The top-level windows of the processes, and the child windows of one window.
std::vector<HWND> TopLevelWindowsOf(const std::vector<DWORD>& processes);
std::vector<HWND> ChildrenOf(HWND parent);

// How long a question to another process's window may wait: briefly (2 s, and not at all for a
// thread that counts as hung), or patiently (30 s even then: right after a long handler a thread
// counts as hung until it asks for its next message, and the answer would be lost).
enum class Wait { Briefly, Patiently };

// The window's text, asked of the window itself (WM_GETTEXT works across processes; the window
// text is what screen readers read as well).
std::wstring TextOf(HWND hwnd, Wait wait = Wait::Briefly);
std::wstring ClassOf(HWND hwnd);
bool HasClass(HWND hwnd, const wchar_t* className);  // case aside

// The visible top-level windows of the processes whose titles start with <title>.
std::vector<HWND> VisibleWindowsTitled(const std::vector<DWORD>& processes,
                                       const std::wstring& title, Wait wait = Wait::Briefly);
// A visible child window of class <className> (Button, Edit ...) of a top-level window of the
// processes, whose text is <text>, or null.
HWND VisibleControl(const std::vector<DWORD>& processes, const wchar_t* className,
                    const std::wstring& text, Wait wait = Wait::Briefly);
// The first visible edit field of the window, or null.
HWND FirstEdit(HWND window);

// Posts the button's click to its window, as a press would (returns at once).
void PostClick(HWND button);
// Posts the characters to the edit field; "\r" is the Enter key.
void PostType(HWND edit, const std::wstring& text);

}  // namespace orlimo::drivers
