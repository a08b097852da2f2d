// The setup console's log viewer in the real window: Orlimo.exe started on a Logs.txt of years,
// the console opened through the parent password, the log shown and written back, each timed
// beside the bare calls in an edit box of the probe's own.
#pragma once

#include <string>
#include <vector>

namespace orlimo::winbench {

struct LogViewerFigures {
  std::string problem;  // empty when every step went through
  std::size_t lines = 0;
  std::size_t bytes = 0;          // Logs.txt as shown, with the lines the start added
  std::size_t boxCharacters = 0;  // the text in the console's log box
  // Each call starts Orlimo.exe afresh, so that the log box is empty when the log is shown.
  std::vector<double> openHandler;  // the click on the show button, until its handler returned
  std::vector<double> open;         // ... until the log box was painted too
  std::vector<double> writeBack;    // the click on the save button, until its handler returned
  std::vector<double> reopen;       // the log shown again in the same console (the box keeps it)
  std::vector<double> bareOpen;     // read, decode, WM_SETTEXT and paint in a bare edit box
  std::vector<double> bareSetText;  // ... of which the WM_SETTEXT
  std::vector<double> bareWriteBack;
  bool unchanged = true;  // Logs.txt after each write-back is the file as it was shown
};

// <folder> holds Orlimo.exe and a Setup.ini; its Logs.txt is replaced by <lines> lines.
LogViewerFigures MeasureLogViewer(const std::wstring& folder, int lines, int calls);

}  // namespace orlimo::winbench
