#include "ui/fld_module.h"

#include <deque>

#include "ui/folder_tree_dialog.h"

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

std::string AskUser(QWidget* owner, const std::string& title) {
  ui::FolderTreeDialog dialog(owner, QString::fromStdString(title));
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.ChosenFolder().toStdString();
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
