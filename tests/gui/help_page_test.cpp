// The user's guide is found without a network and handed to the browser as a local file.

#include "gui/desktop.h"
#include "gui/help_page.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QtTest>

using namespace orolith::gui;

namespace {

class UrlRecorder : public Desktop {
  public:
    void message(QWidget*, const QString&) override {}
    bool ask(QWidget*, const QString&) override { return false; }
    QString fileDialog(bool, QWidget*, const QString&, const QString&, const FileFilter&) override {
        return {};
    }
    void openUrl(const QString& url) override { urls << url; }
    void openFolder(const QString&) override {}
    void startProgram(const QString&, const QStringList&) override {}
    QStringList urls;
};

} // namespace

class HelpPageTest : public QObject {
    Q_OBJECT
  private slots:
    void theGuideIsFoundBesideTheProgramOrItsSources() {
        const QString path = manualPath();
        QVERIFY(QFileInfo(path).isFile());
        QVERIFY(path.endsWith(QStringLiteral("manual.html")));
    }

    void helpOpensTheLocalFile() {
        UrlRecorder desktop;
        Desktop::setInstance(&desktop);
        openHelp();
        Desktop::setInstance(nullptr);
        QCOMPARE(desktop.urls.size(), 1);
        const QUrl url(desktop.urls.first());
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.toLocalFile(), manualPath());
    }

    // The guide describes every window and every subcommand of the command-line tool.
    void theGuideCoversWindowsFilesAndTools() {
        QFile file(manualPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(file.readAll());
        QVERIFY(page.startsWith(QStringLiteral("<!DOCTYPE html>")));
        QVERIFY(page.trimmed().endsWith(QStringLiteral("</html>")));
        for (const char* topic :
             {"Create mp", "Create TYP", "Locate Stylesmith", "Onlne Help", "About", "Download map data",
              "Desaturate", "Convert to Shades", "orolith.dat", "test.tpgn", ".ptn", ".col", "orolith mp",
              "orolith list", "orolith typ", "orolith tile", "UPDATE AVAILABLE"})
            QVERIFY2(page.contains(QLatin1String(topic)), topic);
    }
};

QTEST_MAIN(HelpPageTest)
#include "help_page_test.moc"
