#include "ui/about_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>

namespace {

// Texts the credits must hold: each notice's owner and its licence.
const char* const kCredits[] = {
    "Copyright (C) 2026 Brennovale",
    "GNU General Public License as published by the Free Software Foundation, either version 3",
    "WITHOUT ANY WARRANTY",
    "eSpeak NG",
    "WordNet 3.0 Copyright 2006 by Princeton University",
    "THIS SOFTWARE AND DATABASE IS PROVIDED \"AS IS\" AND PRINCETON UNIVERSITY",
    "Carnegie Mellon University",
    "THIS SOFTWARE IS PROVIDED BY CARNEGIE MELLON UNIVERSITY",
    "GNU Lesser General Public License version 3 (LGPLv3)",
    "zlib",
    "Jean-loup Gailly and Mark Adler",
};

}  // namespace

class AboutDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void texts_data() {
        QTest::addColumn<bool>("landscape");
        QTest::newRow("portrait") << false;
        QTest::newRow("landscape") << true;
    }

    void texts() {
        QFETCH(bool, landscape);
        CAboutDialog dialog(landscape, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About Lexicove"));
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.IsLandscapeLayout(), landscape);
        auto* version = dialog.findChild<QLabel*>(QStringLiteral("versionLabel"));
        QVERIFY(version != nullptr);
        QCOMPARE(version->text(), QStringLiteral("Version 3.6 (build 50612)"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("nameLabel"))->text(),
                 QStringLiteral("Lexicove"));
        QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("programIcon"))->pixmap().isNull());
        const QString credits = dialog.Credits()->toPlainText().simplified();
        for (const char* text : kCredits) {
            QVERIFY2(credits.contains(QString::fromLatin1(text)), text);
        }
    }

    // Portrait: the credits below the version line; landscape: beside it.
    void layouts() {
        CAboutDialog portrait(false, nullptr);
        CAboutDialog landscape(true, nullptr);
        portrait.show();
        landscape.show();
        QVERIFY(QTest::qWaitForWindowExposed(&portrait));
        QVERIFY(QTest::qWaitForWindowExposed(&landscape));
        QVERIFY(portrait.height() > portrait.width());
        QVERIFY(landscape.width() > landscape.height());

        const auto place = [](const CAboutDialog& dialog, const char* name) {
            const QWidget* widget = dialog.findChild<QWidget*>(QLatin1String(name));
            return QRect(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
        };
        QVERIFY(place(portrait, "credits").top() > place(portrait, "versionLabel").bottom());
        QVERIFY(place(landscape, "credits").left() > place(landscape, "versionLabel").right());
        QVERIFY(place(landscape, "credits").top() <= place(landscape, "versionLabel").top());
    }

    // Without a choice the layout follows the window it belongs to.
    void layoutFollowsTheScreen() {
        QWidget upright;
        upright.resize(240, 320);
        QVERIFY(!CAboutDialog(&upright).IsLandscapeLayout());
        QWidget turned;
        turned.resize(320, 240);
        QVERIFY(CAboutDialog(&turned).IsLandscapeLayout());
    }

    void okCloses() {
        CAboutDialog dialog(false, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
