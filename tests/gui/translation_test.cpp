// Every text the windows show goes through the translation layer: with a translator that
// brackets whatever it translates, no caption, title, tool tip or menu entry is left bare.
#include "gui/about_dialog.h"
#include "gui/colour_picker.h"
#include "gui/download_dialog.h"
#include "gui/settings_dialog.h"
#include "gui/translations.h"
#include "window_test_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTranslator>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

class BracketingTranslator : public QTranslator {
  public:
    QString translate(const char*, const char* source, const char*, int) const override {
        return QLatin1Char('[') + QString::fromUtf8(source) + QLatin1Char(']');
    }
    bool isEmpty() const override { return false; }
};

// Adds "name what: text" to `bare` when `text` has a letter, is no hexadecimal colour and the
// translator did not see it.
void check(QStringList& bare, const QObject* object, const char* what, const QString& text) {
    static const QRegularExpression letter(QStringLiteral("[A-Za-z]"));
    static const QRegularExpression colour(QStringLiteral("^[0-9A-F]{6}$"));
    if (text.contains(letter) && !colour.match(text).hasMatch() &&
        !(text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'))))
        bare << QStringLiteral("%1 %2: %3").arg(object->objectName(), QLatin1String(what), text);
}

// The bare texts of `window`'s controls and menus.
QStringList bareTexts(QWidget& window) {
    QStringList bare;
    auto check = [&bare](const QObject* object, const char* what, const QString& text) {
        ::check(bare, object, what, text);
    };
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (const QWidget* widget : widgets) {
        check(widget, "tool tip", widget->toolTip());
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            check(label, "text", label->text());
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            check(button, "text", button->text());
        if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            check(group, "title", group->title());
        if (const auto* box = qobject_cast<const QLineEdit*>(widget))
            check(box, "placeholder", box->placeholderText());
        if (const auto* menu = qobject_cast<const QMenu*>(widget))
            check(menu, "title", menu->title());
    }
    for (const QAction* action : window.findChildren<QAction*>())
        check(action, "text", action->text());
    return bare;
}

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QCoreApplication::installTranslator(&translator_); }

    void everyWindowTextIsTranslatable() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        AboutDialog about;
        about.refresh();
        SettingsDialog settings(QString(), home.path());
        DownloadWindow download(0);
        ColourPickerWindow picker(0xFF, QString());

        QStringList bare = bareTexts(*window);
        for (QWidget* dialog : std::initializer_list<QWidget*>{&about, &settings, &download, &picker}) {
            check(bare, dialog, "title", dialog->windowTitle());
            bare << bareTexts(*dialog);
        }
        // Names (the program's; the continents, which are the tile archive's folders; the
        // default maps folder) and the sources' notice, which the download library words for
        // the command line too.
        bare.removeIf([](const QString& text) {
            return text.startsWith(QStringLiteral("Label9 text")) ||
                   text.startsWith(QStringLiteral("mapsFolder placeholder")) ||
                   text.startsWith(QStringLiteral("Option1_")) ||
                   text.startsWith(QStringLiteral("elevationSources text"));
        });
        QVERIFY2(bare.isEmpty(), qPrintable(bare.join(QLatin1Char('\n'))));
    }

    // A translation dropped into a translations folder is found for the user's language and
    // reaches the window: its texts carry the contexts Qt's lupdate gives them.
    void aTranslationFileIsFoundAndUsed() {
        QCoreApplication::removeTranslator(&translator_);
        const QString data = QStringLiteral(OROLITH_SOURCE_DIR "/tests/gui/data");
        QVERIFY(!installTranslations({QStringLiteral(OROLITH_SOURCE_DIR "/tests")}, QLocale(QLocale::German)));
        QVERIFY(!installTranslations({data}, QLocale(QLocale::French)));
        QVERIFY(installTranslations({QStringLiteral("/no/such/folder"), data}, QLocale(QLocale::German)));
        ScratchWindow scratch;
        auto& window = scratch.window;
        QStringList titles;
        for (const QGroupBox* group : window->findChildren<QGroupBox*>())
            titles << group->title();
        QVERIFY2(titles.contains(QStringLiteral("Gebiet")), qPrintable(titles.join(QLatin1Char(','))));
    }

  private:
    BracketingTranslator translator_;
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
