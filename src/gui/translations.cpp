#include "gui/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace orolith::gui {

QStringList translationFolders() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return {programFolder.absoluteFilePath(QStringLiteral("translations")),
            QDir::cleanPath(
                programFolder.absoluteFilePath(QStringLiteral("../share/orolith-creator/translations")))};
}

bool installTranslations(const QStringList& folders, const QLocale& locale) {
    // The translators live as long as the application, which owns them.
    auto* program = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : folders) {
        if (!program->load(locale, QStringLiteral("orolith-creator"), QStringLiteral("_"), folder))
            continue;
        QCoreApplication::installTranslator(program);
        // Qt's own texts in the same language, so that a window does not mix two.
        auto* qt = new QTranslator(QCoreApplication::instance());
        if (qt->load(QLocale(program->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
        return true;
    }
    delete program;
    return false;
}

} // namespace orolith::gui
