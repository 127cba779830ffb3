#include "ui/fld_module.h"

#include <deque>

#include <QDir>
#include <QFileDialog>
#include <QUrl>

namespace dorvax::fld_Module {

namespace {

struct DialogState {
  std::deque<std::string> next;
  bool prepared = false;
  std::string lastTitle;
  int unanswered = 0;
};

DialogState& State() {
  static DialogState state;
  return state;
}

// The place the dialog opens at: the top of the shell namespace on Windows
// ("This PC"), the root of the file system elsewhere.
QUrl TopOfFileSystem() {
#ifdef _WIN32
  return QUrl(QStringLiteral("clsid:20D04FE0-3AEA-1069-A2D8-08002B30309D"));
#else
  return QUrl::fromLocalFile(QDir::rootPath());
#endif
}

std::string AskUser(QWidget* owner, const std::string& title) {
  // Only local folders can be confirmed: a URL of another scheme is refused
  // by the dialog, and a virtual folder yields no local path.
  QUrl chosen = QFileDialog::getExistingDirectoryUrl(owner, QString::fromStdString(title), TopOfFileSystem(),
                                                     QFileDialog::ShowDirsOnly, {QStringLiteral("file")});
  if (chosen.isEmpty() || !chosen.isLocalFile()) return {};
  return QDir::toNativeSeparators(chosen.toLocalFile()).toStdString();
}

}  // namespace

std::string SelectFolder(QWidget* owner, const std::string& title) {
  DialogState& state = State();
  state.lastTitle = title;
  if (!state.prepared) return AskUser(owner, title);
  if (state.next.empty()) {
    ++state.unanswered;
    return {};
  }
  std::string folder = state.next.front();
  state.next.pop_front();
  return folder;
}

void SetNextFolder(const std::string& folder) { State().next.push_back(folder); }
void RequirePreparedAnswers(bool on) { State().prepared = on; }
const std::string& LastTitle() { return State().lastTitle; }
int Unanswered() { return State().unanswered; }

void Reset() {
  DialogState& state = State();
  state.next.clear();
  state.lastTitle.clear();
  state.unanswered = 0;
}

}  // namespace dorvax::fld_Module
