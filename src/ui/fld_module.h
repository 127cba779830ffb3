#pragma once
// fld_Module: the folder dialog. It starts at the top of the file system,
// shows the given title, lets only folders be confirmed and yields the
// chosen folder's path, or empty text when the user cancels.
//
// Tests answer the dialog in advance (SetNextFolder) so that no real dialog
// opens; with prepared answers required, an unanswered dialog counts as
// cancelled.
#include <string>

class QWidget;

namespace dorvax::fld_Module {

std::string SelectFolder(QWidget* owner, const std::string& title);

// ---- answering in advance
// The folder the next dialog returns; empty text stands for Cancel.
void SetNextFolder(const std::string& folder);
void RequirePreparedAnswers(bool on);
// The title of the last dialog asked for.
const std::string& LastTitle();
int Unanswered();
void Reset();

}  // namespace dorvax::fld_Module
