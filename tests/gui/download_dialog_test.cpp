#include "fake_desktop.h"
#include "gui/download_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using orolith::gui::DownloadWindow;

namespace {
const QString kBase = "https://dds.cr.usgs.gov/srtm/version2_1/SRTM3/";
}

class DownloadDialogTest : public QObject {
    Q_OBJECT

    template <typename T> static T* control(DownloadWindow& window, const char* name) {
        T* found = window.findChild<T*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    static void typeInto(QLineEdit* box, const QString& text) {
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, text);
    }

      // A click on the option's round button.
    static void choose(QRadioButton* option) {
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }

private slots:
    void opensOnTheStoredContinent() {
        DownloadWindow window(2);
        QCOMPARE(window.objectName(), QString("download"));
        QVERIFY(control<QRadioButton>(window, "Option1_2")->isChecked());
        QCOMPARE(control<QLineEdit>(window, "Text3")->text(), QString("50.7531/-3.4354"));
        QCOMPARE(control<QRadioButton>(window, "Option1_4")->text(), QString("North_America"));
        QCOMPARE(control<QToolButton>(window, "Picture2")->toolTip(), QString("Download map data"));
    }

    void coordinatesGiveTileNames_data() {
        QTest::addColumn<QString>("coordinate");
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << "50.7531/-3.4354"
                               << "N50W004";
        QTest::newRow("comma") << "50.7531,-3.4354"
                               << "N50W004";
        QTest::newRow("south east") << "-33.9,18.4"
                                    << "S34E018";
        QTest::newRow("north west of zero") << "0.5/-0.5"
                                            << "N00W001";
        QTest::newRow("south east of zero") << "-0.5/0.5"
                                            << "S01E000";
        QTest::newRow("backslash") << "1.2\\103.8"
                                   << "N01E103";
        QTest::newRow("slash wins") << "50,5/-3,2"
                                    << "N50W003";
    }
    void coordinatesGiveTileNames() {
        QFETCH(QString, coordinate);
        QFETCH(QString, name);
        orolith::testing::FakeDesktop desktop;
        DownloadWindow window(0);
        window.show();
        typeInto(control<QLineEdit>(window, "Text3"), coordinate);
        QTest::mouseClick(control<QPushButton>(window, "Command2"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), name);
        QCOMPARE(desktop.messages, QStringList{name});
    }

    void coordinateWithoutSeparatorKeepsTheName() {
        orolith::testing::FakeDesktop desktop;
        DownloadWindow window(0);
        window.show();
        typeInto(control<QLineEdit>(window, "Text3"), "50.7531 -3.4354");
        QTest::mouseClick(control<QPushButton>(window, "Command2"), Qt::LeftButton);
        QCOMPARE(desktop.messages, QStringList{" N/S , EW  or NS/EW"});
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("N50W001"));
    }

    void wrongNamesOpenNothing() {
        orolith::testing::FakeDesktop desktop;
        DownloadWindow window(0);
        window.show();
        auto* name = control<QLineEdit>(window, "Text1");
        auto* download = control<QToolButton>(window, "Picture2");
        typeInto(name, "");
        QTest::mouseClick(download, Qt::LeftButton);
        QCOMPARE(desktop.messages,
                 (QStringList{"Please check url", "Needs to be 7 characters , ie N01E106"}));
        desktop.messages.clear();
        typeInto(name, "N01E10");
        QTest::mouseClick(download, Qt::LeftButton);
        QCOMPARE(desktop.messages, QStringList{"Needs to be 7 characters , ie N01E106"});
        QVERIFY(desktop.urls.isEmpty());
        QCOMPARE(control<QLineEdit>(window, "Text2")->text(), QString("Copy URL"));
    }

    void pictureButtonOpensTheAddressOfTheChosenContinent() {
        orolith::testing::FakeDesktop desktop;
        DownloadWindow window(0);
        window.show();
        typeInto(control<QLineEdit>(window, "Text1"), "n01e106");
        choose(control<QRadioButton>(window, "Option1_4"));
        QTest::mouseClick(control<QToolButton>(window, "Picture2"), Qt::LeftButton);
        const QString address = kBase + "North_America/n01e106.hgt.zip";
        QCOMPARE(desktop.urls, QStringList{address});
        QCOMPARE(control<QLineEdit>(window, "Text2")->text(), address);
        QVERIFY(desktop.messages.isEmpty());
    }

    void closeKeepsTheContinent() {
        DownloadWindow window(0);
        window.show();
        choose(control<QRadioButton>(window, "Option1_3"));
        QCOMPARE(window.region(), 0); // only closing keeps it
        QTest::mouseClick(control<QPushButton>(window, "Command1"), Qt::LeftButton);
        QCOMPARE(window.region(), 3);
        QVERIFY(!window.isVisible());

        DownloadWindow again(1);
        again.show();
        choose(control<QRadioButton>(again, "Option1_5"));
        again.close(); // the title-bar close keeps it too
        QCOMPARE(again.region(), 5);
    }

    void regionAboveFiveSelectsSouthAmerica() {
        orolith::testing::FakeDesktop desktop;
        DownloadWindow window(9);
        window.show();
        QVERIFY(control<QRadioButton>(window, "Option1_5")->isChecked());
        typeInto(control<QLineEdit>(window, "Text1"), "S34E018");
        QTest::mouseClick(control<QToolButton>(window, "Picture2"), Qt::LeftButton);
        QCOMPARE(desktop.urls, QStringList{kBase + "South_America/S34E018.hgt.zip"});
        QTest::mouseClick(control<QPushButton>(window, "Command1"), Qt::LeftButton);
        QCOMPARE(window.region(), 5);
    }
};

QTEST_MAIN(DownloadDialogTest)
#include "download_dialog_test.moc"
