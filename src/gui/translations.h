#pragma once
// The windows in the user's language. No translation ships with the program: one is added as
// orolith-creator_<language>.qm, made with Qt's lupdate and lrelease (see the README), in a
// folder "translations" beside the program or in share/orolith-creator/translations of an
// installation. Qt's own texts (standard buttons, the file dialog) follow where Qt has them.

#include <QLocale>
#include <QStringList>

namespace orolith::gui {

// Where translations are looked for, in order: beside the program, then the installation's.
QStringList translationFolders();

// Installs the program's translation for the first of `locale`'s languages that has one in
// `folders`, and then Qt's own for that language. True when the program's was found.
bool installTranslations(const QStringList& folders = translationFolders(),
                         const QLocale& locale = QLocale());

} // namespace orolith::gui
