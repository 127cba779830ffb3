#pragma once
// The window as the conversion steps see it: the form-level values every step
// shares, the controls they read and write, and the window services
// (progress display, busy pointer, enabling the inputs, focus return).
//
// A front end (the Qt window, the console of the batch program, the fake
// window of the tests) provides the control primitives; the services and the
// control logic of the window are written once here on top of them.
#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

#include "form/message_box.h"
#include "oldtree/station_table.h"
#include "platform/drives.h"

namespace dorvax {

// Controls of the window, by the names the program uses for them.
enum class Control {
  fraNEW,
  optNew0,
  drvNew,
  optNew1,
  cmdNew0,
  txtFolder0,
  cmdNew1,
  lblMain,
  txtFolder1,
  cmdOld0,
  cmdOld1,
  lblConv0,
  ProgressBar1,
  lblConv1,
  cmdMain0,
  cmdMain1,
  lblMes,
  lblForm,
};
const char* ControlName(Control control);

// The background of the source folder box and the drive list.
enum class BoxColour { kNormal, kWhite, kLightGrey };

// Thrown out of the window services when the window was closed during a run
// in a state where the program ends at once: the run unwinds, closing its
// open files, and shows no further box.
class RunAborted : public std::runtime_error {
 public:
  RunAborted() : std::runtime_error("the window was closed during the run") {}
};

class FormWindow {
 public:
  virtual ~FormWindow() = default;

  // ---- Form-level values -------------------------------------------------
  std::array<std::string, 2> strSideName;    // "新版", "旧版"
  std::array<std::string, 2> strDiscName;    // "1枚目のCD-ROMの", "2枚目のCD-ROMの"
  std::array<std::string, 2> strFolderPath;  // source + "dorvax\hourly\", destination + "dorvax\"
  int16_t intRunState = 0;
  int16_t intSourceKind = 0;
  int32_t lngFileTotal = 0;
  int32_t lngUnprocessedFiles = 0;
  StationTable typStation;
  // Station index files written during the current run, with the pass that
  // wrote them: a later pass meeting one again has the first disc once more.
  std::map<std::string, int16_t> indexFilesWritten;
  // The device of the CD-ROM drive that holds the first disc of a two-disc
  // run, taken in pass 1: the second disc is looked for where that device
  // has it mounted (platform::Drives::MountPointOf).
  std::string sourceDevice;
  // What the current run has done, for the summary of the batch program.
  struct RunStatistics {
    int64_t filesConverted = 0;
    int64_t filesLeftOut = 0;
    int64_t dvxRecords = 0;
    int64_t dvsRecords = 0;
    int64_t textFiles = 0;
  } stats;

  // ---- Control primitives a front end provides ---------------------------
  virtual std::string Text(Control control) const = 0;  // txtFolder0/1, lblMes
  virtual void SetText(Control control, const std::string& text) = 0;
  virtual bool IsEnabled(Control control) const = 0;
  virtual void SetEnabled(Control control, bool enabled) = 0;
  virtual BoxColour Background(Control control) const = 0;
  virtual void SetBackground(Control control, BoxColour colour) = 0;
  virtual bool IsSelected(Control option) const = 0;  // optNew0/1
  virtual void SetSelected(Control option, bool selected) = 0;
  virtual bool IsVisible(Control control) const = 0;
  virtual void SetVisible(Control control, bool visible) = 0;
  virtual float ProgressValue() const = 0;
  virtual void SetProgressValue(float value) = 0;
  virtual void SetFocus(Control control) = 0;
  // true: hourglass; false: the normal pointer.
  virtual void SetPointer(bool busy) = 0;
  // Lets the window handle what is pending (paint, input, a close request).
  // Throws RunAborted when a close request ended the program.
  virtual void ProcessEvents() = 0;
  virtual void Repaint() = 0;
  virtual MsgAnswer MsgBox(const MessageBoxRequest& box) = 0;
  // The folder dialog: the chosen folder, or empty text when cancelled.
  virtual std::string SelectFolder(const std::string& title) = 0;
  // The text of the drive list's current entry.
  virtual std::string CurrentDriveText() const = 0;
  virtual platform::Drives& drives() = 0;
  // Closes the window and with it the program.
  virtual void Unload() = 0;

  // ---- The window's own procedures ---------------------------------------
  void Form_Load() { InitializeForm(); }
  void InitializeForm();
  void ClearFolderChoice(int16_t side);
  virtual void ShowProgress(bool show);
  virtual void SetBusyCursor(bool busy);
  virtual void AdvanceProgress(int32_t steps);
  virtual void EnableInputControls(bool enable);
  virtual void FocusFolderBox(int side);
  void optNew_Click(int16_t index);
  void drvNew_Change();
  void cmdNew_Click(int16_t index);
  void cmdOld_Click(int16_t index);
  void BrowseFolder(int16_t side);
  // A close request. Returns true when a run was under way in a state where
  // the program ends at once (after the notice); the front end then aborts.
  bool Form_Unload();

  // The status line.
  void SetStatus(const std::string& text) { SetText(Control::lblMes, text); }
  // The folder text of a side without leading and trailing blanks.
  std::string TrimmedFolderText(int side) const;

  // Set when Form_Unload decided that the program ends at once.
  bool forcedEnd = false;
};

// The tool tips set when the window loads.
struct ToolTip {
  Control control;
  const char* text;
};
extern const ToolTip kToolTips[12];
inline const char* const kVersionText = "Ver.1.00 2007/01/26";
inline const char* const kWindowTitle = "Dorvax年報 新版→旧版 データ変換(時別値)";

// Leading and trailing blanks removed.
std::string TrimBlanks(const std::string& text);

}  // namespace dorvax
