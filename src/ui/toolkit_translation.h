#pragma once
// The toolkit's own texts in Japanese: the context menu of the text boxes
// (元に戻す, 切り取り, ...), the buttons of standard dialogs and whatever else
// Qt draws by itself. The window's own texts are Japanese already; without
// this, Qt's would stay English. Japanese is loaded whatever the machine's
// language, as every other text of the program is Japanese.
#include <QStringList>

class QTranslator;

namespace dorvax::ui {

// Where Qt's translations are looked for: Qt's own translations folder (on
// Debian /usr/share/qt6/translations, from qt6-translations-l10n), then a
// folder "translations" beside the program, where a Windows release puts
// them.
QStringList ToolkitTranslationFolders();

// Loads qtbase_ja.qm from the first of `folders` that has it and installs
// it in the running application, which owns it from then on. Returns the
// translator, or nullptr when no folder has the file: the toolkit's texts
// then stay English and everything else works as before.
QTranslator* InstallToolkitTranslation(const QStringList& folders = ToolkitTranslationFolders());

}  // namespace dorvax::ui
