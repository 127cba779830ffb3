#include "ui/toolkit_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace dorvax::ui {

QStringList ToolkitTranslationFolders() {
  return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
}

QTranslator* InstallToolkitTranslation(const QStringList& folders) {
  auto* translator = new QTranslator(QCoreApplication::instance());
  for (const QString& folder : folders) {
    if (folder.isEmpty() || !translator->load(QStringLiteral("qtbase_ja"), folder)) continue;
    QCoreApplication::installTranslator(translator);
    return translator;
  }
  delete translator;
  return nullptr;
}

}  // namespace dorvax::ui
