// The elevation tile download window: tile names from coordinates, the address handed to the
// browser, and the continent kept for the next time.
#include "gui/download_dialog.h"
#include "window_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using orolith::gui::DownloadWindow;
using namespace orolith::gui::testing;

namespace {

const QString kBase = "https://dds.cr.usgs.gov/srtm/version2_1/SRTM3/";

void typeInto(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// A click on the option's round button.
void choose(QWidget& window, const char* option) {
    auto* button = control<QRadioButton>(window, option);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

} // namespace

class DownloadDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void coordinatesGiveTileNames() {
        struct Case {
            const char* coordinate;
            const char* name;
            const char* message;
        };
        for (const Case& c : {Case{"50.7531/-3.4354", "N50W004", "N50W004"},
                              Case{"50.7531 -3.4354", "N50W004", " N/S , EW  or NS/EW"}}) {
            FakeDesktop desktop;
            DownloadWindow window(0);
            window.show();
            typeInto(control<QLineEdit>(window, "Text3"), c.coordinate);
            click(window, "Command2");
            QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString(c.name));
            QCOMPARE(desktop.messages, QStringList{c.message});
        }
        FakeDesktop desktop; // Enter in the coordinate box checks it too
        DownloadWindow window(0);
        window.show();
        typeInto(control<QLineEdit>(window, "Text3"), "-33.9,18.4");
        QTest::keyClick(control<QLineEdit>(window, "Text3"), Qt::Key_Return);
        QCOMPARE(desktop.messages, QStringList{"S34E018"});
    }

    void wrongNamesOpenNothing() {
        FakeDesktop desktop;
        DownloadWindow window(0);
        window.show();
        typeInto(control<QLineEdit>(window, "Text1"), "");
        click(window, "Picture2");
        QCOMPARE(desktop.messages,
                 (QStringList{"Please check url", "Needs to be 7 characters , ie N01E106"}));
        desktop.messages.clear();
        typeInto(control<QLineEdit>(window, "Text1"), "N01E10");
        click(window, "Picture2");
        QCOMPARE(desktop.messages, QStringList{"Needs to be 7 characters , ie N01E106"});
        QVERIFY(desktop.urls.isEmpty());
        QCOMPARE(control<QLineEdit>(window, "Text2")->text(), QString("Copy URL"));
    }

    void pictureButtonOpensTheAddressOfTheChosenContinent() {
        FakeDesktop desktop;
        DownloadWindow window(0);
        window.show();
        typeInto(control<QLineEdit>(window, "Text1"), "n01e106");
        choose(window, "Option1_4");
        click(window, "Picture2");
        const QString address = kBase + "North_America/n01e106.hgt.zip";
        QCOMPARE(desktop.urls, QStringList{address});
        QCOMPARE(control<QLineEdit>(window, "Text2")->text(), address);
        QCOMPARE(control<QLineEdit>(window, "Text2")->cursorPosition(), 0); // shown from "https://" on
        QVERIFY(desktop.messages.isEmpty());
    }

    // The tile follows the coordinate as it is typed; the place shown last comes back, and the
    // open model's extent is offered as the area.
    void thePlaceIsKeptAndTheModelOffered() {
        FakeDesktop desktop;
        DownloadWindow window(0, nullptr, {}, {"46.5,7.5", "46,7,47,8", "46.000,7.000,46.100,7.100", ""});
        window.show();
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("N46E007"));
        QCOMPARE(control<QLineEdit>(window, "boxEdit")->text(), QString("46,7,47,8"));
        typeInto(control<QLineEdit>(window, "Text3"), "-33.9,18.4");
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("S34E018"));
        click(window, "boxFromModel");
        QCOMPARE(control<QLineEdit>(window, "boxEdit")->text(), QString("46.000,7.000,46.100,7.100"));
        QCOMPARE(window.place().coordinate, QString("-33.9,18.4"));
        QCOMPARE(window.place().box, QString("46.000,7.000,46.100,7.100"));
        QVERIFY(desktop.messages.isEmpty());

        DownloadWindow without(0);
        QVERIFY(!control<QPushButton>(without, "boxFromModel")->isEnabled());
    }

    // The maps folder: Documents/Orolith unless another was chosen, one folder per area in it.
    void theMapsFolderIsShownAndChosen() {
        FakeDesktop desktop;
        QTemporaryDir home;
        const QString documents = QDir::toNativeSeparators(home.filePath("Documents/Orolith"));
        DownloadWindow window(0, nullptr, scratchPlaces(home.path()), {"", "49.4,5.7,50.2,6.6", "", ""});
        QCOMPARE(control<QLineEdit>(window, "mapsFolder")->text(), documents);
        QCOMPARE(control<QLabel>(window, "areaFolder")->text(),
                 "The map of this area goes to " + documents + QDir::separator() + "N49E005-N50E006");
        QVERIFY(window.place().mapsFolder.isEmpty()); // the default follows the desktop
        desktop.picks = {QDir::toNativeSeparators(home.filePath("maps"))};
        click(window, "chooseMapsFolder");
        QCOMPARE(desktop.dialogs.size(), 1);
        QCOMPARE(desktop.dialogs[0].folder, documents);
        QCOMPARE(window.place().mapsFolder, QDir::toNativeSeparators(home.filePath("maps")));
        control<QLineEdit>(window, "boxEdit")->setText("50,-4,51,-3");
        QCOMPARE(control<QLabel>(window, "areaFolder")->text(),
                 "The map of this area goes to " + QDir::toNativeSeparators(home.filePath("maps/N50W004")));
        click(window, "chooseMapsFolder"); // cancelled: the choice stays
        QCOMPARE(window.place().mapsFolder, QDir::toNativeSeparators(home.filePath("maps")));
        auto* folder = control<QLineEdit>(window, "mapsFolder");
        folder->setText("Karten"); // a relative folder is the user's, never where the program runs
        QCOMPARE(window.areaFolder({{}, {}, "N50W004", {}}),
                 QDir::toNativeSeparators(QDir::home().filePath("Karten/N50W004")));
        folder->clear(); // an empty box is the default
        QCOMPARE(window.areaFolder({{}, {}, "N50W004", {}}), documents + QDir::separator() + "N50W004");
        QVERIFY(window.place().mapsFolder.isEmpty());
        folder->setText(QDir::toNativeSeparators(home.filePath("maps")));

        DownloadWindow again(0, nullptr, scratchPlaces(home.path()), window.place());
        QCOMPARE(control<QLineEdit>(again, "mapsFolder")->text(), QDir::toNativeSeparators(home.filePath("maps")));
    }

    void closeKeepsTheContinent() {
        DownloadWindow window(2);
        window.show();
        QVERIFY(control<QRadioButton>(window, "Option1_2")->isChecked());
        choose(window, "Option1_3");
        QCOMPARE(window.region(), 2); // only closing keeps it
        click(window, "Command1");
        QCOMPARE(window.region(), 3);
        QVERIFY(!window.isVisible());

        DownloadWindow again(9); // above five: South America, the last
        again.show();
        QVERIFY(control<QRadioButton>(again, "Option1_5")->isChecked());
        choose(again, "Option1_4");
        again.close(); // the title-bar close keeps it too
        QCOMPARE(again.region(), 4);
    }
};

QTEST_MAIN(DownloadDialogTest)
#include "download_dialog_test.moc"
